#pragma once

#include <QByteArray>
#include <QList>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <memory>

namespace vesk::test {

// Debian's aiosmtpd on a loopback high port, standing in for the provider's
// SMTP server. Records each accepted message with its envelope.
class SmtpSinkPeer final
{
public:
    SmtpSinkPeer();
    ~SmtpSinkPeer();

    // Before start: "starttls" or "smtps" with this certificate and key.
    void setTls(const QString &mode, const QString &certFile, const QString &keyFile);
    // Before start: AUTH PLAIN, LOGIN and CRAM-MD5 for this login, required.
    void setAuth(const QString &user, const QString &password);
    // Before start: AUTH XOAUTH2 and OAUTHBEARER only, required, each token
    // checked at this introspection endpoint.
    void setOAuth(const QString &introspectUrl) { m_options << QStringLiteral("--introspect") << introspectUrl; }

    // Recipients containing `rejectPattern` are refused with 550.
    bool start(const QString &rejectPattern = QString(), QString *error = nullptr);
    void stop();
    quint16 port() const { return m_port; }

    struct Received
    {
        QString mailFrom;
        QStringList rcptTos;
        QByteArray data; // after dot-unstuffing
    };
    QList<Received> received() const;

    struct AuthAttempt
    {
        QString mechanism;
        QString login;
        bool tls = false;
        bool success = false;
    };
    QList<AuthAttempt> authAttempts() const;

private:
    QStringList m_options;
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<QProcess> m_process;
    quint16 m_port = 0;
};

} // namespace vesk::test
