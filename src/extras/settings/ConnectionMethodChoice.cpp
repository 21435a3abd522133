#include "extras/settings/ConnectionMethodChoice.h"

#include "platform/DialUpEntries.h"
#include "platform/Messenger.h"
#include "settings/SettingsStore.h"
#include "settings/SettingsTable.h"

namespace vesk {
namespace {

// A missing connection method asks for it to be detected: dial-up when
// dial-up entries can be listed, LAN otherwise.
constexpr int DialModeDetect = 2;

} // namespace

ConnectionMethodChoice::ConnectionMethodChoice(
    Messenger &messenger, const DialUpEntries &entries, Settings &values)
    : m_messenger(messenger)
    , m_entries(entries)
    , m_values(values)
{ }

void ConnectionMethodChoice::load(SettingsStore &store)
{
    const int dialMode = SettingsTable::valueOr(store, &Settings::DialMode, DialModeDetect);
    m_dialUp = dialMode == 1 || (dialMode != 0 && m_entries.available());
    m_dialEntries.clear();
    if (m_dialUp)
        listDialEntries();
}

void ConnectionMethodChoice::write(SettingsStore &store) const
{
    SettingsTable::setValue(store, &Settings::DialMode, m_dialUp ? 1 : 0);
}

bool ConnectionMethodChoice::dialUpAvailable() const
{
    return m_entries.available();
}

bool ConnectionMethodChoice::chooseLan()
{
    if (m_dialUp && m_entries.available()) {
        m_messenger.beep();
        const std::optional<Messenger::Answer> answer = m_messenger.ask(QStringLiteral("Vesk各種設定"),
            QStringLiteral("電話接続ランタイムが存在しますが、本当にLAN接続に変更しますか？"),
            Messenger::Buttons::YesNo);
        if (answer && *answer == Messenger::Answer::No)
            return false;
    }
    m_dialUp = false;
    return true;
}

bool ConnectionMethodChoice::chooseDialUp()
{
    if (!m_entries.available()) {
        m_messenger.beep();
        m_messenger.message(DialUpEntries::MissingServiceText);
        // Dial-up saved without any means to dial would leave the program
        // unable to check at all.
        m_dialUp = false;
        return false;
    }
    m_dialUp = true;
    listDialEntries();
    return true;
}

void ConnectionMethodChoice::listDialEntries()
{
    m_dialEntries = m_entries.names();
    // With one entry there is no other connection to keep checks from.
    if (m_dialEntries.size() < 2)
        m_values.DefNoncheck = false;
}

bool ConnectionMethodChoice::takeDialEntry(int row)
{
    if (row < 0 || row >= m_dialEntries.size()) {
        m_messenger.beep();
        m_messenger.message(QStringLiteral("右の一覧から接続ポイントを指定してください"));
        return false;
    }
    m_values.AP = m_dialEntries[row];
    return true;
}

} // namespace vesk
