#pragma once

#include "ServerTestDoubles.h"

#include "mail/CoreServices.h"
#include "mail/ProtocolMonitor.h"
#include "mail/SessionState.h"
#include "platform/Clock.h"
#include "platform/Timer.h"
#include "server/LocalMailServer.h"
#include "store/MessageStore.h"
#include "support/FakeEventPump.h"
#include "support/RecordingHost.h"
#include "support/RecordingMessenger.h"
#include "support/TestPaths.h"
#include "support/WaitFor.h"

#include <QFile>
#include <QProcess>
#include <QTcpSocket>
#include <QTemporaryDir>

#include <gtest/gtest.h>
#include <memory>

namespace vesk::test {

// Vesk's local servers of mailer 1 (and 2) running in this process on
// loopback ports the system picks; clients run as child processes while the
// test serves the event loop.
class LiveServerFixture : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        m_store.createFolders(m_messenger);
        m_config.UserID = QStringLiteral("taro");
        m_config.Password = QStringLiteral("pa55word");
        m_config.Host = QStringLiteral("pop.example.jp");
        m_config.lookupPauseMs = 0;
        m_config.POP3_VeskMailer1 = m_config.SMTP_VeskMailer1 = 0;
        m_config.POP3_VeskMailer2 = m_config.SMTP_VeskMailer2 = 0;
        m_server = std::make_unique<LocalMailServer>(
            m_core, m_host, m_host,
            ServerIdentity::make(QStringLiteral("testhost"), 9 * 3600));
        m_server->setListenErrorHandler([this](quint16 port, const QString &text) {
            m_listenErrors << QString::number(port) + u' ' + text;
        });
        m_server->setConfig(m_config);
        m_server->startMailer1();
        ASSERT_NE(pop3Port(), 0);
        ASSERT_NE(smtpPort(), 0);
    }

    void TearDown() override { m_server.reset(); }

    quint16 pop3Port() const { return m_server->listeningPort(MailerPort::Pop3Mailer1); }
    quint16 smtpPort() const { return m_server->listeningPort(MailerPort::SmtpMailer1); }

    void put(Box box, const QString &name, const QByteArray &content)
    {
        QFile file(m_store.filePath(box, name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_EQ(file.write(content), content.size());
    }

    struct Result
    {
        int exitCode = -1;
        QByteArray out;
        QByteArray err;
    };
    // Runs a client to its end while the servers keep serving.
    Result run(const QString &program, const QStringList &arguments)
    {
        QProcess process;
        process.start(program, arguments);
        const bool ended = waitFor([&] { return process.state() == QProcess::NotRunning; }, 60000);
        if (!ended) {
            process.kill();
            process.waitForFinished(5000);
        }
        Result result;
        result.exitCode = ended && process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
        result.out = process.readAllStandardOutput();
        result.err = process.readAllStandardError();
        return result;
    }
    Result python(const QString &script, const QStringList &arguments)
    {
        return run(systemPython(),
            QStringList { sourceDir() + QStringLiteral("/tests/server/") + script } + arguments);
    }

    // A raw client for scripted sessions.
    struct Client
    {
        QTcpSocket socket;
        QByteArray received;
    };
    std::unique_ptr<Client> connectTo(quint16 port, const QString &host = QStringLiteral("127.0.0.1"))
    {
        auto client = std::make_unique<Client>();
        client->socket.connectToHost(host, port);
        return client;
    }
    // Waits until what has arrived ends with `ending` and returns it all.
    QByteArray until(Client &client, const QByteArray &ending = "\r\n")
    {
        waitFor([&] {
            client.received += client.socket.readAll();
            return client.received.endsWith(ending)
                || client.socket.state() == QAbstractSocket::UnconnectedState;
        });
        client.received += client.socket.readAll();
        return std::exchange(client.received, {});
    }
    QByteArray exchange(Client &client, const QByteArray &text)
    {
        client.socket.write(text + "\r\n");
        return until(client);
    }
    bool closedByServer(Client &client, int timeoutMs = 10000)
    {
        return waitFor(
            [&] {
                client.received += client.socket.readAll();
                return client.socket.state() == QAbstractSocket::UnconnectedState;
            },
            timeoutMs);
    }

    QTemporaryDir m_dir;
    RecordingMessenger m_messenger;
    MessageStore m_store { m_dir.path() };
    SessionState m_state;
    RecordingHost m_host;
    ProtocolMonitor m_monitor;
    FakeEventPump m_pump { nullptr, true };
    CoreServices m_core { SystemClock::instance(), QtTimerFactory::instance(), m_pump, m_messenger, m_store, m_state,
        m_monitor };
    ServerConfig m_config;
    QStringList m_listenErrors;
    std::unique_ptr<LocalMailServer> m_server;
};

} // namespace vesk::test
