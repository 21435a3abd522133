#pragma once

#include <QString>

namespace vesk {

class SettingsStore;

// The note Vesk hands over in its settings (section Temp): PelmaDate, the
// date text (empty for text from the quick view), and PelmaComm, the text.
struct HandOver
{
    QString date;
    QString comment;
    bool present = false; // Vesk left a note to take

    // Writes the two values (Vesk's side).
    static bool put(SettingsStore &store, const QString &date, const QString &comment);
    // Whether a hand-over waits to be taken.
    static bool waiting(SettingsStore &store);
    // Reads the two values and removes them, so that each is taken once.
    static HandOver take(SettingsStore &store);
};

} // namespace vesk
