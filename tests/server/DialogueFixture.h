#pragma once

#include "server/LocalActivity.h"
#include "server/LocalDialogue.h"
#include "server/MailerEnds.h"
#include "server/ReplySink.h"
#include "server/ServerConfig.h"
#include "server/ServerEnvironment.h"
#include "server/ServerIdentity.h"
#include "support/CoreFixture.h"

#include <deque>
#include <memory>
#include <utility>

namespace vesk::test {

// Keeps what a dialogue sent and whether it asked to close.
class RecordingSink final : public ReplySink
{
public:
    void send(const QByteArray &bytes) override
    {
        output += bytes;
        ++sends;
    }
    void closeAfterSend() override { closeAfterSendCalled = true; }
    void close() override { closed = true; }
    QByteArray take() { return std::exchange(output, {}); }

    QByteArray output;
    int sends = 0;
    bool closeAfterSendCalled = false;
    bool closed = false;
};

// Local dialogues driven line by line without sockets, in fake time.
class DialogueFixture : public CoreFixture
{
protected:
    struct Peer
    {
        RecordingSink sink;
        std::unique_ptr<LocalDialogue> dialogue;
    };

    DialogueFixture()
    {
        m_config.UserID = QStringLiteral("taro");
        m_config.Password = QStringLiteral("Secret1");
        m_config.Host = QStringLiteral("pop.example.jp");
        m_config.lookupPauseMs = 0;
        m_identity = { "testhost", "2.81", "+0900" };
    }

    // A connected and greeted dialogue on a port of the given tag.
    Peer &open(MailerPort port)
    {
        Peer &peer = *m_peers.emplace_back(std::make_unique<Peer>());
        peer.dialogue = std::make_unique<LocalDialogue>(m_env, port, peer.sink);
        peer.dialogue->connected();
        return peer;
    }
    // Sends bytes as they are and returns the answer, every message served to its end.
    QByteArray raw(Peer &peer, const QByteArray &bytes)
    {
        peer.dialogue->received(bytes);
        return drain(peer);
    }
    QByteArray say(Peer &peer, const QByteArray &line) { return raw(peer, line + "\r\n"); }
    // Each command in turn with the reply it must get.
    void expectReplies(Peer &peer, const std::vector<std::pair<QByteArray, QByteArray>> &exchanges)
    {
        for (const auto &[command, reply] : exchanges)
            EXPECT_EQ(say(peer, command), reply) << command.constData();
    }
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
    // The tasks the dialogues' ends posted to the event loop.
    void runPosted()
    {
        while (!m_posted.empty()) {
            auto task = std::move(m_posted.front());
            m_posted.pop_front();
            task();
        }
    }

    ServerConfig m_config;
    ServerIdentity m_identity;
    LocalActivity m_activity { m_state };
    std::deque<std::function<void()>> m_posted;
    MailerEnds m_ends { m_env, [this](std::function<void()> task) { m_posted.push_back(std::move(task)); } };
    ServerEnvironment m_env { m_core, m_config, m_identity, m_host, m_host, m_activity, m_ends };
    std::vector<std::unique_ptr<Peer>> m_peers;
};

} // namespace vesk::test
