// Feeds arbitrary bytes, cut into packets, to a local POP3 or SMTP dialogue
// over a small store: whatever a mailer sends must be answered or refused,
// never crash or hang.
#include "mail/CoreServices.h"
#include "mail/MailHost.h"
#include "mail/MailView.h"
#include "mail/ProtocolMonitor.h"
#include "mail/SessionState.h"
#include "server/LocalActivity.h"
#include "server/LocalDialogue.h"
#include "server/MailerEnds.h"
#include "server/ReplySink.h"
#include "server/ServerConfig.h"
#include "server/ServerEnvironment.h"
#include "server/ServerIdentity.h"
#include "store/MessageStore.h"
#include "support/FakeEventPump.h"
#include "support/FakeTimerFactory.h"
#include "support/RecordingMessenger.h"

#include <QFile>
#include <QTemporaryDir>

#include <cstdint>

namespace {

class NullSink final : public vesk::ReplySink
{
public:
    void send(const QByteArray &) override { }
    void closeAfterSend() override { }
    void close() override { }
};

void putMessages(const vesk::MessageStore &store)
{
    const QByteArray messages[] = {
        "VeskFrom: <a@x>\r\nVeskTo: <b@y>\r\nSubject: one\r\nMessage-ID: <1@x>\r\n\r\nbody\r\n..dot\r\n",
        "Subject: two\r\n\r\n" + QByteArray(70000, 'L') + "\r\n",
        "no header at all",
    };
    for (int i = 0; i < 3; ++i) {
        QFile file(store.filePath(vesk::Box::InBox, QStringLiteral("2026120608000000%1.ID").arg(i)));
        if (!file.exists() && file.open(QIODevice::WriteOnly))
            file.write(messages[i]);
    }
}

// What a dialogue works with; the ends run after the input is used up.
struct World
{
    explicit World(bool devide)
    {
        config.UserID = QStringLiteral("taro");
        config.Password = QStringLiteral("pw");
        config.Host = QStringLiteral("h");
        config.lookupPauseMs = 0;
        config.maxMessageBytes = 1 << 20;
        config.DevideON = devide;
    }

    vesk::test::RecordingMessenger messenger;
    vesk::SessionState state;
    vesk::MailHost host;
    vesk::MailView view;
    vesk::ProtocolMonitor monitor;
    vesk::test::FakeEventPump pump;
    vesk::test::FakeTimerFactory timers; // never advanced: no timer fires
    vesk::ServerConfig config;
    vesk::ServerIdentity identity;
    vesk::LocalActivity activity { state };
    std::vector<std::function<void()>> posted;
    vesk::MailerEnds ends { env, [this](std::function<void()> task) { posted.push_back(std::move(task)); } };
    vesk::CoreServices core { vesk::SystemClock::instance(), timers, pump, messenger, *store, state,
        monitor };
    vesk::ServerEnvironment env { core, config, identity, host, view, activity, ends };
    static vesk::MessageStore *store;
};

vesk::MessageStore *World::store = nullptr;

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static QTemporaryDir dir;
    static vesk::test::RecordingMessenger messenger;
    static vesk::MessageStore store(dir.path());
    static bool created = (store.createFolders(messenger), World::store = &store, true);
    (void)created;
    if (size == 0)
        return 0;
    putMessages(store);
    for (const QString &name : store.listing(vesk::Box::OutBox))
        store.remove(vesk::Box::OutBox, name);

    World world(data[0] & 8);
    NullSink sink;
    vesk::LocalDialogue dialogue(world.env, vesk::MailerPort(data[0] % 4), sink);
    dialogue.connected();
    size_t pos = 1;
    while (pos < size) {
        const size_t length = std::min<size_t>(size - pos, 1 + data[pos] % 48);
        ++pos;
        const size_t take = std::min(length, size - pos);
        dialogue.received(QByteArray(reinterpret_cast<const char *>(data + pos), qsizetype(take)));
        pos += take;
        for (int i = 0; i < 4; ++i)
            dialogue.sendEmpty();
    }
    dialogue.disconnected();
    for (size_t i = 0; i < world.posted.size(); ++i)
        world.posted[i]();
    return 0;
}
