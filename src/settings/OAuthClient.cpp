#include "settings/OAuthClient.h"

#include "settings/Settings.h"

#include <QUrl>

namespace vesk {

OAuthClient oauthClientOf(int preset, const QString &clientId, const QString &clientSecret,
    const QString &authUrl, const QString &tokenUrl, const QString &scope)
{
    OAuthClient client { clientId.trimmed(), clientSecret, authUrl.trimmed(), tokenUrl.trimmed(),
        scope.simplified() };
    switch (OAuthPreset(preset)) {
    case OAuthPreset::Google:
        client.authUrl = QStringLiteral("https://accounts.google.com/o/oauth2/v2/auth");
        client.tokenUrl = QStringLiteral("https://oauth2.googleapis.com/token");
        client.scope = QStringLiteral("https://mail.google.com/");
        break;
    case OAuthPreset::Microsoft:
        client.authUrl = QStringLiteral("https://login.microsoftonline.com/common/oauth2/v2.0/authorize");
        client.tokenUrl = QStringLiteral("https://login.microsoftonline.com/common/oauth2/v2.0/token");
        // offline_access: without it no refresh token comes back.
        client.scope = QStringLiteral("https://outlook.office.com/POP.AccessAsUser.All "
                                      "https://outlook.office.com/SMTP.Send offline_access");
        break;
    case OAuthPreset::Other:
        break;
    }
    return client;
}

bool OAuthClient::protectedEndpoints() const
{
    for (const QUrl url : { QUrl(authUrl), QUrl(tokenUrl) }) {
        const bool loopback = url.host() == QLatin1String("127.0.0.1") || url.host() == QLatin1String("::1")
            || url.host() == QLatin1String("localhost");
        if (!(url.scheme() == QLatin1String("https") || (url.scheme() == QLatin1String("http") && loopback)))
            return false;
    }
    return true;
}

OAuthClient oauthClientFrom(const Settings &settings)
{
    return oauthClientOf(settings.OAuth_Preset, settings.OAuth_ClientID, settings.OAuth_ClientSecret,
        settings.OAuth_AuthUrl, settings.OAuth_TokenUrl, settings.OAuth_Scope);
}

} // namespace vesk
