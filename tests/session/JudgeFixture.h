#pragma once

#include "session/ClientJudge.h"
#include "session/ClientLink.h"
#include "session/SessionConfig.h"
#include "session/SessionContext.h"
#include "support/CoreFixture.h"

namespace vesk::test {

using Lines = QList<QByteArray>;

// Takes what the dialogue sends, one entry per CR LF line.
class RecordingLink final : public ClientLink
{
public:
    void send(const QByteArray &bytes) override
    {
        pending += bytes;
        for (qsizetype end; (end = pending.indexOf("\r\n")) >= 0; pending.remove(0, end + 2))
            lines << pending.left(end);
    }
    bool sendPending() const override { return false; }
    void flush() override { }
    bool startTls() override
    {
        ++tlsStarts;
        encrypted = true;
        return true;
    }
    bool secure() const override { return encrypted; }
    void restartWatchdog() override { ++watchdogRestarts; }
    void stopWatchdog() override { }
    void clientOff() override
    {
        ++clientOffs;
        onClientOff();
    }
    QString localHostName() const override { return QStringLiteral("vesk-host"); }
    // Lines sent since the last call.
    Lines take() { return std::exchange(lines, {}); }

    QByteArray pending;
    Lines lines;
    int clientOffs = 0;
    int watchdogRestarts = 0;
    int tlsStarts = 0;
    bool encrypted = false;
    std::function<void()> onClientOff;
};

// The provider dialogue on its own: reply lines go in, the commands it sends
// come out of the recording link. The store is real, in a temporary folder.
class JudgeFixture : public CoreFixture
{
protected:
    JudgeFixture()
    {
        recordMonitor();
        m_config.Host = QStringLiteral("pop.example.jp");
        m_config.SMTP = QStringLiteral("smtp.example.jp");
        m_config.UserID = QStringLiteral("taro");
        m_config.Password = QStringLiteral("secret99");
        m_state.marker = QStringLiteral(".");
        m_link.onClientOff = [this] { m_judge.setClientState(ClientIdle); };
    }

    // Each reply of the provider in turn, with the commands that must follow it.
    void talk(const std::vector<std::pair<QByteArray, Lines>> &steps)
    {
        for (const auto &[reply, commands] : steps) {
            m_judge.judge(reply);
            EXPECT_EQ(m_link.take(), commands) << "after " << reply.constData();
        }
    }
    // Greeting, USER and PASS; the STAT is sent.
    void login()
    {
        m_state.marker = QStringLiteral(".");
        m_judge.beginDownload();
        talk({ { "+OK ready", { "USER taro" } }, { "+OK", { "PASS secret99" } }, { "+OK", { "STAT" } } });
    }

    SessionConfig m_config;
    RecordingLink m_link;
    SessionContext m_context { m_core, m_config, m_host, m_host };
    ClientJudge m_judge { m_context, m_link };
};

} // namespace vesk::test
