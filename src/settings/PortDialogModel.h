#pragma once

#include "settings/Settings.h"

#include <QStringList>

#include <array>

namespace vesk {

class SettingsStore;

// What the port dialog does, without its window: six edit texts for the
// provider and local server ports, "初期値" putting the default texts back,
// and OK writing each field as a port number.
class PortDialogModel
{
public:
    static constexpr int FieldCount = 6;
    // In the dialog's order.
    static const std::array<int Settings::*, FieldCount> &fields();
    // The field's value name in Config.
    static QString name(int field);
    static QString defaultsButtonText() { return QStringLiteral("初期値"); }

    PortDialogModel();

    // The stored ports, each with its default.
    void load(SettingsStore &store);
    const QStringList &texts() const { return m_texts; }
    void setText(int field, const QString &text);
    // "初期値": the default texts.
    void resetToDefaults();
    // The port a field's text stands for: its default when the text is not a
    // port number (1-65535).
    int port(int field) const;
    // OK: writes the six ports in one save; false when that save failed.
    bool accept(SettingsStore &store) const;

private:
    QStringList m_texts;
};

} // namespace vesk
