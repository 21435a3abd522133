#pragma once

#include "settings/Settings.h"

#include <variant>
#include <vector>

namespace vesk {

class SettingsStore;

enum class SettingType { Bool, Int, String, Color };

// One stored value of Config or Disp: where it lives, its default in its
// stored string form, and the Settings field that holds it.
struct SettingEntry
{
    using Field
        = std::variant<bool Settings::*, int Settings::*, QString Settings::*, ColorValue Settings::*>;

    const char *section;
    const char *name;
    const char *defaultText; // UTF-8
    Field field;

    SettingType type() const { return SettingType(field.index()); }
};

// The values of each section in the order RegRead loads them.
class SettingsTable
{
public:
    static const std::vector<SettingEntry> &config();
    static const std::vector<SettingEntry> &disp();
    static const SettingEntry *find(QStringView section, QStringView name);

    // The field's value in its stored string form (booleans 1/0, integers in
    // decimal, colours as name or $00BBGGRR).
    static QString text(const Settings &settings, const SettingEntry &entry);
    // Reads one value with the entry's default; a colour text that is not a
    // colour gives the default colour.
    static void read(SettingsStore &store, Settings &settings, const SettingEntry &entry);
    static bool write(SettingsStore &store, const Settings &settings, const SettingEntry &entry);
};

} // namespace vesk
