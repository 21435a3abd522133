#pragma once

#include "settings/Settings.h"

#include <type_traits>
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
    // Held encoded like Password; where the desktop's keyring answers, kept
    // there and stored in the file only as KeyringMarker.
    bool secret = false;

    SettingType type() const { return SettingType(field.index()); }
};

// The one list of the stored values: every name and default of the sections
// Config and Disp is spelled here and nowhere else. Config is grouped by
// concern; RegRead reads in this order (Host before SMTP, which defaults to it).
class SettingsTable
{
public:
    // The stored text of a secret kept in the keyring. It begins like an
    // encoded password but decodes as none, so an older version asks for the
    // password again rather than using it.
    static inline const QString KeyringMarker = QStringLiteral("..keyring");

    static const std::vector<SettingEntry> &config();
    static const std::vector<SettingEntry> &disp();
    static const SettingEntry *find(QStringView section, QStringView name);
    static const SettingEntry &entryOf(SettingEntry::Field field);
    static QString sectionOf(const SettingEntry &entry);
    static QString nameOf(const SettingEntry &entry);
    static void setDefault(Settings &settings, const SettingEntry &entry);

    // The field's value in its stored string form (booleans 1/0, integers in
    // decimal, colours as name or $00BBGGRR).
    static QString text(const Settings &settings, const SettingEntry &entry);
    // Reads one value with the entry's default; a colour text that is not a
    // colour gives the default colour. A secret stored as KeyringMarker is
    // read from the store's keyring (and given encoded); where the keyring
    // lacks it or cannot be asked, it is empty and the store keeps a notice.
    static void read(SettingsStore &store, Settings &settings, const SettingEntry &entry);
    // A secret (given encoded) goes to the store's keyring where one answers,
    // and the file keeps KeyringMarker once the keyring has confirmed it;
    // otherwise the file keeps the encoded text. Empty removes the item.
    static bool write(SettingsStore &store, const Settings &settings, const SettingEntry &entry);
    // Moves every secret that the file still holds (encoded or plain) into
    // the store's keyring; without one nothing changes.
    static void moveSecrets(SettingsStore &store);
    // Removes the keyring items of every secret.
    static void removeSecrets(SettingsStore &store);

    // One value by its field, for those who keep it outside Settings.
    static bool remove(SettingsStore &store, SettingEntry::Field field);
    // The stored value, or the caller's where none is stored (for a number
    // also where the stored text is none).
    template <class T>
    static T valueOr(SettingsStore &store, T Settings::*field, const std::type_identity_t<T> &missing);
    template <class T> static T defaultOf(T Settings::*field) { return Settings().*field; }
    template <class T> static T value(SettingsStore &store, T Settings::*field)
    {
        Settings settings;
        read(store, settings, entryOf(field));
        return settings.*field;
    }
    template <class T>
    static bool setValue(SettingsStore &store, T Settings::*field, const std::type_identity_t<T> &value)
    {
        Settings settings;
        settings.*field = value;
        return write(store, settings, entryOf(field));
    }
};

} // namespace vesk
