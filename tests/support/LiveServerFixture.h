#pragma once

#include "platform/Timer.h"
#include "server/LocalMailServer.h"
#include "support/CoreFixture.h"
#include "support/RunProgram.h"
#include "support/TestPaths.h"

#include <QTcpSocket>

namespace vesk::test {

// Vesk's local servers of mailer 1 (and 2) running in this process on
// loopback ports the system picks, with real timers; clients run as child
// processes or raw sockets while the test serves the event loop.
class LiveServerFixture : public CoreFixture
{
protected:
    void SetUp() override
    {
        CoreFixture::SetUp();
        m_pump.serveEventLoop = true;
        m_config.UserID = QStringLiteral("taro");
        m_config.Password = QStringLiteral("pa55word");
        m_config.Host = QStringLiteral("pop.example.jp");
        m_config.lookupPauseMs = 0;
        m_config.POP3_VeskMailer1 = m_config.SMTP_VeskMailer1 = 0;
        m_config.POP3_VeskMailer2 = m_config.SMTP_VeskMailer2 = 0;
        m_server.setConfig(m_config);
        m_server.startMailer1();
        ASSERT_NE(port(MailerPort::Pop3Mailer1), 0);
        ASSERT_NE(port(MailerPort::SmtpMailer1), 0);
    }

    quint16 port(MailerPort which) const { return m_server.listeningPort(which); }

    // One of the mailer scripts of tests/server.
    static ProgramResult python(const QString &script, const QStringList &arguments)
    {
        return runProgram(
            systemPython(), QStringList { sourceDir() + "/tests/server/" + script } + arguments);
    }

    // A raw client: connects, and reads until what arrived ends with `ending`.
    std::unique_ptr<QTcpSocket> connectTo(quint16 port, QByteArray *greeting)
    {
        auto socket = std::make_unique<QTcpSocket>();
        socket->connectToHost(QStringLiteral("127.0.0.1"), port);
        *greeting = until(*socket);
        return socket;
    }
    QByteArray until(QTcpSocket &socket, const QByteArray &ending = "\r\n")
    {
        QByteArray received;
        waitFor([&] {
            received += socket.readAll();
            return received.endsWith(ending) || socket.state() == QAbstractSocket::UnconnectedState;
        });
        return received + socket.readAll();
    }
    QByteArray exchange(QTcpSocket &socket, const QByteArray &line)
    {
        socket.write(line + "\r\n");
        return until(socket);
    }

    ServerConfig m_config;
    const CoreServices m_liveCore { m_clock, QtTimerFactory::instance(), m_pump, m_messenger, m_store,
        m_state, m_monitor };
    LocalMailServer m_server { m_liveCore, m_host, m_host,
        ServerIdentity::make(QStringLiteral("testhost"), 9 * 3600) };
};

} // namespace vesk::test
