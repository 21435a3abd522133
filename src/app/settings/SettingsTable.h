#pragma once

#include "app/settings/Settings.h"

#include <variant>
#include <vector>

namespace vesk {

class SettingsStore;

enum class SettingType { Bool, Int, String, Color };

// One stored value of Config or Disp: where it lives, its default in its
// stored string form, and the Settings field that holds it.
struct SettingSpec
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
    static const std::vector<SettingSpec> &config();
    static const std::vector<SettingSpec> &disp();
    static const SettingSpec *find(QStringView section, QStringView name);

    // The field's value in its stored string form (booleans 1/0, integers in
    // decimal, colours as name or $00BBGGRR).
    static QString text(const Settings &settings, const SettingSpec &spec);
    // Reads one value with the spec's default; a colour text that is not a
    // colour gives the default colour.
    static void read(SettingsStore &store, Settings &settings, const SettingSpec &spec);
    static bool write(SettingsStore &store, const Settings &settings, const SettingSpec &spec);
};

} // namespace vesk
