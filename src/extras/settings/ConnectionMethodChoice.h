#pragma once

#include <QStringList>

namespace vesk {

class DialUpEntries;
class Messenger;
class SettingsStore;
struct Settings;

// The settings dialog's choice between LAN and dial-up, with the dial-up
// entries to take the access point from. It writes the access point and the
// no-check flag into the values the dialog edits (`values`), which must
// outlive it.
class ConnectionMethodChoice final
{
public:
    ConnectionMethodChoice(Messenger &messenger, const DialUpEntries &entries, Settings &values);
    // Holds the dialog's values by reference: a copy would edit another's.
    ConnectionMethodChoice(const ConnectionMethodChoice &) = delete;
    ConnectionMethodChoice &operator=(const ConnectionMethodChoice &) = delete;

    // From the store; a missing DialMode chooses dial-up only where dial-up
    // connections can be made.
    void load(SettingsStore &store);
    void write(SettingsStore &store) const;

    bool dialUp() const { return m_dialUp; }
    // Dial-up connections can be made on this machine.
    bool dialUpAvailable() const;
    // LAN chosen; where dial-up connections can be made the user is asked
    // first. False when dial-up stays chosen.
    bool chooseLan();
    // Dial-up chosen: the entries are listed. False (LAN again) where no
    // dial-up connection can be made.
    bool chooseDialUp();
    const QStringList &dialEntries() const { return m_dialEntries; }
    // "<<": the entry at `row` (-1: none selected) becomes the access point.
    bool takeDialEntry(int row);

private:
    void listDialEntries();

    Messenger &m_messenger;
    const DialUpEntries &m_entries;
    Settings &m_values;
    bool m_dialUp = false;
    QStringList m_dialEntries;
};

} // namespace vesk
