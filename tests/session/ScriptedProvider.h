#pragma once

#include <QByteArray>
#include <QList>
#include <QTcpServer>
#include <QTcpSocket>

#include <functional>

namespace vesk::test {

// An in-process provider on a loopback port that plays a script: a greeting,
// then for each command line received the next step's reply. It records
// every line the client sent.
class ScriptedProvider final : public QObject
{
public:
    // Data: after the reply, lines up to "." are message text, kept in `data`.
    enum class Then { Continue, Close, Data };
    struct Step
    {
        QByteArray expect; // empty: any line
        QByteArray reply; // sent as it is (CR LF included); empty: silence
        Then then = Then::Continue;
    };

    ScriptedProvider()
    {
        m_server.listen(QHostAddress::LocalHost);
        connect(&m_server, &QTcpServer::newConnection, this, [this] { accept(); });
    }

    quint16 port() const { return m_server.serverPort(); }
    // Per connection, in order; a connection without one stays silent.
    void addGreeting(const QByteArray &greeting) { m_greetings << greeting; }
    void add(const QByteArray &expect, const QByteArray &reply, Then then = Then::Continue)
    {
        m_steps << Step { expect, reply, then };
    }
    // A reply line for a command.
    void answer(const QByteArray &expect, const QByteArray &line) { add(expect, line + "\r\n"); }

    QList<QByteArray> received;
    QList<QByteArray> mismatches;
    // The text of each DATA, lines joined with CR LF as they travelled.
    QList<QByteArray> data;
    int connections = 0;
    bool stepsLeft() const { return !m_steps.isEmpty(); }

private:
    void accept()
    {
        while (QTcpSocket *socket = m_server.nextPendingConnection()) {
            ++connections;
            socket->setParent(this);
            connect(socket, &QTcpSocket::readyRead, this, [this, socket] { read(socket); });
            if (!m_greetings.isEmpty()) {
                const QByteArray greeting = m_greetings.takeFirst();
                if (!greeting.isEmpty())
                    socket->write(greeting);
            }
        }
    }

    void read(QTcpSocket *socket)
    {
        m_pending += socket->readAll();
        qsizetype end;
        while ((end = m_pending.indexOf("\r\n")) >= 0) {
            const QByteArray line = m_pending.left(end);
            m_pending.remove(0, end + 2);
            if (m_inData && line != ".") {
                m_text += line + "\r\n";
                continue;
            }
            if (m_inData) {
                data << m_text;
                m_text.clear();
                m_inData = false;
            }
            received << line;
            if (m_steps.isEmpty()) {
                mismatches << "unexpected: " + line;
                continue;
            }
            const Step step = m_steps.takeFirst();
            if (!step.expect.isEmpty() && line != step.expect)
                mismatches << "expected " + step.expect + ", got " + line;
            if (!step.reply.isEmpty())
                socket->write(step.reply);
            m_inData = step.then == Then::Data;
            if (step.then == Then::Close) {
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
    QByteArray m_text;
    bool m_inData = false;
};

} // namespace vesk::test
