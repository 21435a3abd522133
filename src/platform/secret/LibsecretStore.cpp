#include "platform/secret/LibsecretStore.h"

#include <QByteArray>

// GLib's headers name a member "signals", which Qt defines as a keyword.
#undef signals
#include <libsecret/secret.h>

namespace vesk {
namespace {

constexpr const char *ServiceName = "org.freedesktop.secrets";
// Bounds the ping, not the service's own answers (a prompt may be open).
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
        0,
        nullptr,
        nullptr,
        nullptr,
        nullptr,
        nullptr,
        nullptr,
        nullptr,
    };
    return &vesk;
}

// How long a service that did not answer a ping counts as away.
constexpr qint64 SilentForMs = 60 * 1000;

// The service answers, started by the bus where it can be.
bool serviceAnswers(GDBusConnection *bus, bool *timedOut)
{
    GError *error = nullptr;
    GVariant *reply = g_dbus_connection_call_sync(bus, ServiceName, "/org/freedesktop/secrets",
        "org.freedesktop.DBus.Peer", "Ping", nullptr, nullptr, G_DBUS_CALL_FLAGS_NONE, BusTimeoutMs, nullptr,
        &error);
    if (reply)
        g_variant_unref(reply);
    if (error) {
        *timedOut = g_error_matches(error, G_IO_ERROR, G_IO_ERROR_TIMED_OUT)
            || g_error_matches(error, G_DBUS_ERROR, G_DBUS_ERROR_NO_REPLY)
            || g_error_matches(error, G_DBUS_ERROR, G_DBUS_ERROR_TIMEOUT);
        g_error_free(error);
    }
    return reply != nullptr;
}

// An item of the key, also a locked one.
bool itemExists(const QString &key)
{
    GError *error = nullptr;
    GList *items = secret_password_search_sync(schema(), SECRET_SEARCH_ALL, nullptr, &error, "setting",
        key.toUtf8().constData(), static_cast<char *>(nullptr));
    if (error)
        g_error_free(error);
    const bool found = items != nullptr;
    g_list_free_full(items, g_object_unref);
    return found;
}

} // namespace

bool LibsecretStore::available()
{
    if (m_silentSince.isValid() && !m_silentSince.hasExpired(SilentForMs))
        return false;
    m_silentSince.invalidate();
    GError *error = nullptr;
    GDBusConnection *bus = g_bus_get_sync(G_BUS_TYPE_SESSION, nullptr, &error);
    if (!bus) {
        g_clear_error(&error);
        return false;
    }
    bool timedOut = false;
    const bool answers = serviceAnswers(bus, &timedOut);
    g_object_unref(bus);
    if (timedOut)
        m_silentSince.start();
    return answers;
}

SecretStore::Status LibsecretStore::read(const QString &key, QString *secret)
{
    if (!available())
        return Status::Unavailable;
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
    const bool stored
        = secret_password_store_sync(schema(), SECRET_COLLECTION_DEFAULT, item.label.toUtf8().constData(),
            secret.toUtf8().constData(), nullptr, &error, "setting", item.key.toUtf8().constData(), "account",
            item.account.toUtf8().constData(), static_cast<char *>(nullptr));
    if (error)
        g_error_free(error);
    return stored;
}

bool LibsecretStore::remove(const QString &key)
{
    GError *error = nullptr;
    secret_password_clear_sync(
        schema(), nullptr, &error, "setting", key.toUtf8().constData(), static_cast<char *>(nullptr));
    if (error) {
        g_error_free(error);
        return false;
    }
    return true;
}

} // namespace vesk
