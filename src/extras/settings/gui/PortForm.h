#pragma once

#include "settings/PortDialogModel.h"

#include <QDialog>

#include <array>

class QLineEdit;

namespace vesk {

class Messenger;
class SettingsStore;

// "高度な設定": the six port numbers, modal. OK writes them (a text that is
// no port number is stored as the field's default); "初期値" puts the
// defaults back; キャンセル writes nothing.
class TPortForm final : public QDialog
{
    Q_OBJECT
public:
    TPortForm(SettingsStore &store, Messenger &messenger, QWidget *parent = nullptr);

    void accept() override;

private:
    void showTexts();
    void btnDefaultClick();

    SettingsStore &m_store;
    Messenger &m_messenger;
    PortDialogModel m_model;
    std::array<QLineEdit *, PortDialogModel::FieldCount> m_fields {};
};

} // namespace vesk
