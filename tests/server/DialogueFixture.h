#pragma once

#include "ServerTestDoubles.h"

#include "mail/CoreServices.h"
#include "mail/ProtocolMonitor.h"
#include "mail/SessionState.h"
#include "server/LocalActivity.h"
#include "server/LocalDialogue.h"
#include "server/MailerEnds.h"
#include "server/ServerConfig.h"
#include "server/ServerEnvironment.h"
#include "server/ServerIdentity.h"
#include "store/MessageStore.h"
#include "support/FakeClock.h"
#include "support/FakeEventPump.h"
#include "support/FakeTimerFactory.h"
#include "support/RecordingHost.h"
#include "support/RecordingMessenger.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <deque>
#include <gtest/gtest.h>
#include <memory>

namespace vesk::test {

// Local dialogues driven line by line without sockets: a recording sink, fake
// time, a recording host, and a store in a temporary folder.
class DialogueFixture : public ::testing::Test
{
protected:
    struct Peer
    {
        RecordingSink sink;
        std::unique_ptr<LocalDialogue> dialogue;
    };

    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        m_store.createFolders(m_messenger);
        m_config.UserID = QStringLiteral("taro");
        m_config.Password = QStringLiteral("Secret1");
        m_config.Host = QStringLiteral("pop.example.jp");
        m_config.lookupPauseMs = 0;
        m_identity.hostName = "testhost";
        m_identity.version = "2.81";
        m_identity.zoneText = "+0900";
    }

    // A connected and greeted dialogue on a port of the given tag.
    Peer &open(MailerPort port)
    {
        m_peers.push_back(std::make_unique<Peer>());
        Peer &peer = *m_peers.back();
        peer.dialogue = std::make_unique<LocalDialogue>(m_env, port, peer.sink);
        peer.dialogue->connected();
        return peer;
    }

    // Sends bytes as they are and returns what the dialogue answered,
    // serving every message to its end.
    QByteArray raw(Peer &peer, const QByteArray &bytes)
    {
        peer.dialogue->received(bytes);
        return drain(peer);
    }
    QByteArray say(Peer &peer, const QByteArray &line) { return raw(peer, line + "\r\n"); }

    // Reports empty send queues until nothing more is sent.
    QByteArray drain(Peer &peer)
    {
        for (int sends = -1; sends != peer.sink.sends;) {
            sends = peer.sink.sends;
            peer.dialogue->sendEmpty();
        }
        return peer.sink.take();
    }

    Peer &loggedIn(MailerPort port = MailerPort::Pop3Mailer1)
    {
        Peer &peer = open(port);
        peer.sink.take();
        say(peer, "USER taro");
        EXPECT_TRUE(say(peer, "PASS Secret1").startsWith("+OK"));
        return peer;
    }

    void put(Box box, const QString &name, const QByteArray &content)
    {
        QFile file(m_store.filePath(box, name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_EQ(file.write(content), content.size());
    }
    bool exists(Box box, const QString &name) const { return QFile::exists(m_store.filePath(box, name)); }
    QStringList outBox() const { return m_store.listing(Box::OutBox); }
    QByteArray outBoxFile(int index = 0) const { return m_store.read(Box::OutBox, outBox().value(index)); }
    void runPosted()
    {
        while (!m_posted.empty()) {
            auto task = std::move(m_posted.front());
            m_posted.pop_front();
            task();
        }
    }

    QTemporaryDir m_dir;
    FakeClock m_clock { QDateTime(QDate(2026, 12, 6), QTime(8, 0)) };
    RecordingMessenger m_messenger;
    MessageStore m_store { m_dir.path(), m_clock };
    SessionState m_state;
    RecordingHost m_host;
    ProtocolMonitor m_monitor;
    FakeEventPump m_pump;
    FakeTimerFactory m_timers { &m_clock };
    ServerConfig m_config;
    ServerIdentity m_identity;
    LocalActivity m_activity { m_state };
    std::deque<std::function<void()>> m_posted;
    MailerEnds m_ends { m_env, [this](std::function<void()> task) { m_posted.push_back(std::move(task)); } };
    CoreServices m_core { m_clock, m_timers, m_pump, m_messenger, m_store, m_state, m_monitor };
    ServerEnvironment m_env { m_core, m_config, m_identity, m_host, m_host, m_activity, m_ends };
    std::vector<std::unique_ptr<Peer>> m_peers;
};

} // namespace vesk::test
