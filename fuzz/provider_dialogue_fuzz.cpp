// The provider dialogue fed with whatever a provider might answer: it must
// neither crash nor delete at the provider a message it did not store, nor
// delete an out-box file whose text was not sent.
//
// Input: byte 0 picks the dialogue and switches (1 upload, 2 APOP, 4 check
// only, 8 STLS/STARTTLS required, 0x30 the SMTP login: none, PLAIN, LOGIN,
// CRAM-MD5, 0x40 TLS from the start); for an upload the out-box
// file follows up to the first NUL byte; the rest is what the provider sends,
// cut into chunks at each 0x01 byte, through the line assembly. A line that
// came before the command it would answer puts the dialogue out of step.

#include "mail/CoreServices.h"
#include "mail/MailHost.h"
#include "mail/MailView.h"
#include "mail/ProtocolMonitor.h"
#include "mail/SessionState.h"
#include "net/LineAssembler.h"
#include "platform/Messenger.h"
#include "session/ClientJudge.h"
#include "session/ClientLink.h"
#include "session/SessionConfig.h"
#include "session/SessionContext.h"
#include "store/MessageStore.h"
#include "support/FakeEventPump.h"
#include "support/FakeTimerFactory.h"
#include "support/RecordingMessenger.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdlib>
#include <utility>

namespace {

class Link final : public vesk::ClientLink
{
public:
    void send(const QByteArray &bytes) override
    {
        if (assembler)
            replyFrom = assembler->fed();
        sent += bytes;
        if (bytes.startsWith("DELE "))
            ++deletes;
        if (bytes == ".\r\n")
            textEnded = true;
    }
    bool sendPending() const override { return false; }
    void flush() override { }
    bool startTls() override
    {
        encrypted = true;
        handshakeDone = true;
        return true;
    }
    bool secure() const override { return encrypted; }
    void restartWatchdog() override { }
    void stopWatchdog() override { }
    void clientOff() override
    {
        if (judge)
            judge->setClientState(vesk::ClientIdle);
    }
    QString localHostName() const override { return QStringLiteral("fuzz"); }

    vesk::ClientJudge *judge = nullptr;
    const vesk::LineAssembler *assembler = nullptr;
    qint64 replyFrom = 0;
    QByteArray sent;
    int deletes = 0;
    bool textEnded = false;
    bool encrypted = false;
    // The handshake finished (told to the judge after the chunk in hand).
    bool handshakeDone = false;
};

void empty(const vesk::MessageStore &store, vesk::Box box)
{
    for (const QString &name : QDir(store.folderPath(box)).entryList(QDir::Files | QDir::Hidden))
        QFile::remove(store.folderPath(box) + name);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static QTemporaryDir dir;
    static vesk::test::RecordingMessenger quiet;
    static vesk::MessageStore store(dir.path());
    static bool made = (store.createFolders(quiet), true);
    (void)made;
    if (size < 1)
        return 0;
    empty(store, vesk::Box::InBox);
    empty(store, vesk::Box::OutBox);
    // Each input is a first download: no earlier one left messages to excuse.
    QFile::remove(store.root() + QStringLiteral("/.download-journal"));

    const uint8_t mode = data[0];
    QByteArray rest(reinterpret_cast<const char *>(data + 1), qsizetype(size - 1));
    const bool upload = mode & 1;
    const QString outName = QStringLiteral("202612060900000000.ID");
    if (upload) {
        const qsizetype nul = rest.indexOf('\0');
        const QByteArray file = nul < 0 ? rest : rest.left(nul);
        rest = nul < 0 ? QByteArray() : rest.mid(nul + 1);
        store.saveContent(vesk::Box::OutBox, outName, file);
    }

    vesk::SessionState state;
    state.marker = QStringLiteral(".");
    vesk::SessionConfig config;
    config.Host = config.SMTP = QStringLiteral("h");
    config.UserID = QStringLiteral("u");
    config.Password = QStringLiteral("p");
    config.Apop = mode & 2;
    config.ServerON = !(mode & 4);
    config.POP3_Security = config.SMTP_Security
        = (mode & 8) ? vesk::Security::StartTls : vesk::Security::None;
    const vesk::SmtpAuth logins[]
        = { vesk::SmtpAuth::None, vesk::SmtpAuth::Plain, vesk::SmtpAuth::Login, vesk::SmtpAuth::CramMd5 };
    config.SMTP_Auth = logins[(mode >> 4) & 3];
    config.MaxMessageBytes = 4096;
    vesk::MailHost host;
    vesk::MailView view;
    vesk::ProtocolMonitor monitor;
    vesk::test::RecordingMessenger messenger;
    vesk::test::FakeEventPump pump;
    vesk::test::FakeTimerFactory timers; // never advanced: no timer fires
    vesk::CoreServices core { vesk::SystemClock::instance(), timers, pump, messenger, store, state, monitor };
    vesk::SessionContext context { core, config, host, view };
    Link link;
    link.encrypted = mode & 0x40;
    vesk::ClientJudge judge(context, link);
    link.judge = &judge;
    if (upload)
        judge.beginUpload();
    else
        judge.beginDownload();

    // Wired as the provider connection wires it.
    vesk::LineAssembler assembler(4096, 4096);
    link.assembler = &assembler;
    assembler.setJudge([&](const QByteArray &text) {
        if (assembler.position() < link.replyFrom && judge.clientState() != vesk::ClientIdle)
            judge.outOfStep(QStringLiteral("out of step"));
        else
            judge.judge(text);
    });
    assembler.setDataMode([&] { return judge.dataMode(); });
    assembler.setLongDataLineHandler([&] { judge.longDataLine(); });
    for (const QByteArray &chunk : rest.split('\x01')) {
        if (!assembler.feed(chunk))
            break;
        if (std::exchange(link.handshakeDone, false)) {
            // As the connection does: whatever came with the reply is gone.
            assembler.clear();
            link.replyFrom = 0;
            judge.encryptionStarted();
        }
    }

    // A DELE only ever follows a stored message.
    if (link.deletes > store.listing(vesk::Box::InBox).size())
        std::abort();
    // An out-box file goes only after its whole text went out.
    if (upload && !QFile::exists(store.filePath(vesk::Box::OutBox, outName)) && !link.textEnded)
        std::abort();
    return 0;
}
