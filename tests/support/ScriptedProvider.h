#pragma once

#include <QByteArray>
#include <QList>
#include <QTcpServer>
#include <QTcpSocket>

namespace vesk::test {

// An in-process provider on a loopback port that plays a script: a greeting,
// then for each command line received the next step's reply. It records
// every line the client sent.
class ScriptedProvider final : public QObject
{
public:
    struct Step
    {
        QByteArray expect; // empty: any line
        QByteArray reply; // sent as it is; empty: silence
        bool close = false; // hang up after the reply
    };

    ScriptedProvider()
    {
        m_server.listen(QHostAddress::LocalHost);
        connect(&m_server, &QTcpServer::newConnection, this, [this] { accept(); });
    }

    quint16 port() const { return m_server.serverPort(); }
    // Per connection, in order; a connection without one stays silent.
    void addGreeting(const QByteArray &greeting) { m_greetings << greeting; }
    void add(const QByteArray &expect, const QByteArray &reply, bool close = false)
    {
        m_steps << Step { expect, reply, close };
    }
    // A reply line for a command.
    void answer(const QByteArray &expect, const QByteArray &line) { add(expect, line + "\r\n"); }

    QList<QByteArray> received;
    QList<QByteArray> mismatches;
    int connections = 0;

private:
    void accept()
    {
        while (QTcpSocket *socket = m_server.nextPendingConnection()) {
            ++connections;
            socket->setParent(this);
            connect(socket, &QTcpSocket::readyRead, this, [this, socket] { read(socket); });
            if (!m_greetings.isEmpty())
                socket->write(m_greetings.takeFirst());
        }
    }

    void read(QTcpSocket *socket)
    {
        m_pending += socket->readAll();
        for (qsizetype end; (end = m_pending.indexOf("\r\n")) >= 0;) {
            const QByteArray line = m_pending.left(end);
            m_pending.remove(0, end + 2);
            received << line;
            const Step step = m_steps.isEmpty() ? Step { "(nothing)", {} } : m_steps.takeFirst();
            if (!step.expect.isEmpty() && line != step.expect)
                mismatches << "expected " + step.expect + ", got " + line;
            socket->write(step.reply);
            if (step.close) {
                socket->flush();
                socket->disconnectFromHost();
                m_pending.clear();
                return;
            }
        }
    }

    QTcpServer m_server;
    QList<QByteArray> m_greetings;
    QList<Step> m_steps;
    QByteArray m_pending;
};

} // namespace vesk::test
