#pragma once

#include <QJsonObject>
#include <QList>
#include <QProcess>
#include <QString>
#include <QTemporaryDir>

#include <memory>

namespace vesk::test {

// A provider's OAuth 2.0 authorization server on 127.0.0.1 (Python): an
// authorization endpoint that approves at once, a token endpoint (PKCE
// checked) and the introspection endpoint Dovecot and the SMTP sink ask.
class AuthServerPeer final
{
public:
    struct Options
    {
        int expiresSeconds = 3600;
        int tokenLength = 40;
        QString refreshToken; // accepted from the start
        QString user = QStringLiteral("taro");
    };
    explicit AuthServerPeer(Options options);
    ~AuthServerPeer();

    bool start(QString *error = nullptr);
    QString url(const QString &path) const;
    // An access token it issued is active no more.
    void revoke(const QString &accessToken);
    // What was asked of it, in order (path and grant).
    QList<QJsonObject> requests() const;

private:
    Options m_options;
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<QProcess> m_process;
    quint16 m_port = 0;
};

} // namespace vesk::test
