#include "platform/secret/LibsecretStore.h"

#include <QByteArray>

// GLib's headers name a member "signals", which Qt defines as a keyword.
#undef signals
#include <libsecret/secret.h>

namespace vesk {
namespace {

constexpr const char *ServiceName = "org.freedesktop.secrets";
// Bounds the question to the bus, not the service's own answers.
constexpr int BusTimeoutMs = 5000;

const SecretSchema *schema()
{
    static const SecretSchema vesk = {
        "jp.example.dorvane.vesk.Secret",
        SECRET_SCHEMA_NONE,
        {
            { "setting", SECRET_SCHEMA_ATTRIBUTE_STRING },
            { "account", SECRET_SCHEMA_ATTRIBUTE_STRING },
            { nullptr, SECRET_SCHEMA_ATTRIBUTE_STRING },
        },
        0, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
    };
    return &vesk;
}

// The service runs, or the bus can start it.
bool serviceOnBus(GDBusConnection *bus)
{
    for (const char *method : { "NameHasOwner", "ListActivatableNames" }) {
        const bool owner = qstrcmp(method, "NameHasOwner") == 0;
        GVariant *reply = g_dbus_connection_call_sync(bus, "org.freedesktop.DBus", "/org/freedesktop/DBus",
            "org.freedesktop.DBus", method, owner ? g_variant_new("(s)", ServiceName) : nullptr, nullptr,
            G_DBUS_CALL_FLAGS_NONE, BusTimeoutMs, nullptr, nullptr);
        if (!reply)
            return false;
        bool found = false;
        if (owner) {
            gboolean has = FALSE;
            g_variant_get(reply, "(b)", &has);
            found = has;
        } else {
            GVariantIter *names = nullptr;
            const char *name = nullptr;
            g_variant_get(reply, "(as)", &names);
            while (!found && g_variant_iter_loop(names, "&s", &name))
                found = qstrcmp(name, ServiceName) == 0;
            g_variant_iter_free(names);
        }
        g_variant_unref(reply);
        if (found)
            return true;
    }
    return false;
}

// An item of the key, also a locked one.
bool itemExists(const QString &key)
{
    GError *error = nullptr;
    GList *items = secret_password_search_sync(
        schema(), SECRET_SEARCH_ALL, nullptr, &error, "setting", key.toUtf8().constData(), static_cast<char *>(nullptr));
    if (error)
        g_error_free(error);
    const bool found = items != nullptr;
    g_list_free_full(items, g_object_unref);
    return found;
}

} // namespace

bool LibsecretStore::available()
{
    GError *error = nullptr;
    GDBusConnection *bus = g_bus_get_sync(G_BUS_TYPE_SESSION, nullptr, &error);
    if (!bus) {
        g_clear_error(&error);
        return false;
    }
    const bool found = serviceOnBus(bus);
    g_object_unref(bus);
    return found;
}

SecretStore::Status LibsecretStore::read(const QString &key, QString *secret)
{
    GError *error = nullptr;
    gchar *found = secret_password_lookup_sync(
        schema(), nullptr, &error, "setting", key.toUtf8().constData(), static_cast<char *>(nullptr));
    if (error) {
        g_error_free(error);
        return Status::Unavailable;
    }
    // Nothing comes back also where the user dismissed the unlock prompt: that
    // item is still there.
    if (!found)
        return itemExists(key) ? Status::Unavailable : Status::Missing;
    *secret = QString::fromUtf8(found);
    secret_password_free(found);
    return Status::Found;
}

bool LibsecretStore::write(const Item &item, const QString &secret)
{
    // One item per setting: the one of an account stored before goes.
    if (!remove(item.key))
        return false;
    GError *error = nullptr;
    const bool stored = secret_password_store_sync(schema(), SECRET_COLLECTION_DEFAULT,
        item.label.toUtf8().constData(), secret.toUtf8().constData(), nullptr, &error, "setting",
        item.key.toUtf8().constData(), "account", item.account.toUtf8().constData(), static_cast<char *>(nullptr));
    if (error)
        g_error_free(error);
    return stored;
}

bool LibsecretStore::remove(const QString &key)
{
    GError *error = nullptr;
    secret_password_clear_sync(schema(), nullptr, &error, "setting", key.toUtf8().constData(), static_cast<char *>(nullptr));
    if (error) {
        g_error_free(error);
        return false;
    }
    return true;
}

} // namespace vesk
