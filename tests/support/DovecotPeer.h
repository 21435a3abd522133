#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

#include <memory>

namespace vesk::test {

// A private Dovecot POP3 server on a loopback high port, standing in for the
// provider's POP3 server. One user with a plain-text password so that both
// USER/PASS and APOP work. Messages are put straight into its Maildir.
class DovecotPeer final
{
public:
    explicit DovecotPeer(
        QString user = QStringLiteral("taro"), QString password = QStringLiteral("pa55word"));
    ~DovecotPeer();
    DovecotPeer(const DovecotPeer &) = delete;
    DovecotPeer &operator=(const DovecotPeer &) = delete;

    // Before start: TLS with this certificate and key (PEM files), POP3S on
    // tlsPort() and STLS offered on port().
    void setTls(const QString &certFile, const QString &keyFile);
    // Before start: the address it listens on (127.0.0.1 unless set).
    void setListen(const QString &address) { m_listen = address; }
    // Before start: XOAUTH2 and OAUTHBEARER too, each token checked at this
    // introspection endpoint (RFC 7662).
    void setOAuth2(const QString &introspectUrl) { m_introspectUrl = introspectUrl; }

    // Writes the configuration, starts Dovecot and waits until a login works.
    bool start(QString *error = nullptr);
    void stop();

    quint16 port() const { return m_port; }
    quint16 tlsPort() const { return m_tlsPort; }
    QString user() const { return m_user; }
    QString password() const { return m_password; }

    // Delivers a message (CR LF or LF line ends) to the user's mailbox.
    bool addMessage(const QByteArray &content);
    // Messages currently in the mailbox.
    int messageCount() const;
    QString log() const;

private:
    QString maildir() const { return m_dir->path() + QStringLiteral("/mail/") + m_user; }
    bool writeConfig();

    QString m_user;
    QString m_password;
    std::unique_ptr<QTemporaryDir> m_dir;
    quint16 m_port = 0;
    quint16 m_tlsPort = 0;
    QString m_listen = QStringLiteral("127.0.0.1");
    QString m_introspectUrl;
    QString m_certFile;
    QString m_keyFile;
    bool m_running = false;
    int m_serial = 0;
};

} // namespace vesk::test
