#pragma once

#include <QWidget>

#include <array>

class QLineEdit;
class QPlainTextEdit;

namespace vesk {

class RuleEntryModel;

// "振分け設定": the four rule lists, each a memo with its entry field and
// "追加", "修正" and "削除", drawn from the rule-entry model.
class RuleListsPage final : public QWidget
{
    Q_OBJECT
public:
    explicit RuleListsPage(RuleEntryModel &model, QWidget *parent = nullptr);

    // Shows the model's lists and entries again.
    void refresh();

private:
    QWidget *listBox(int list, const QString &caption);
    void memAdrsClick(int list);
    void refreshList(int list);

    RuleEntryModel &m_model;
    std::array<QPlainTextEdit *, 4> m_memos {};
    std::array<QLineEdit *, 4> m_entries {};
    bool m_selecting = false;
};

} // namespace vesk
