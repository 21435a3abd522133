#pragma once

#include <QString>

namespace vesk {

struct Settings;

// An OAuth 2.0 client as the user registered it with the provider, with the
// provider's endpoints.
struct OAuthClient
{
    QString clientId;
    QString clientSecret; // empty for most desktop clients
    QString authUrl;
    QString tokenUrl;
    QString scope; // space-separated

    bool complete() const { return !clientId.isEmpty() && !authUrl.isEmpty() && !tokenUrl.isEmpty(); }
    // Both endpoints over HTTPS (plain HTTP only to this machine): the
    // tokens must not travel readable.
    bool protectedEndpoints() const;
    bool operator==(const OAuthClient &) const = default;
};

// The values of OAuth_Preset.
enum class OAuthPreset : int { Other = 0, Google = 1, Microsoft = 2 };

// The client of the settings: a preset's endpoints and scopes, or those
// the settings name (OAuth_Preset 0).
OAuthClient oauthClientOf(int preset, const QString &clientId, const QString &clientSecret,
    const QString &authUrl, const QString &tokenUrl, const QString &scope);
OAuthClient oauthClientFrom(const Settings &settings);

} // namespace vesk
