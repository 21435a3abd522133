// Out-box files from anywhere (a mailer, a hand edit, a hostile local
// program): the envelope taken out of one is either refused or made only of
// addresses that cannot break a command line to the provider, and every
// recipient becomes exactly one RCPT line.
#include "mail/MailText.h"
#include "session/OutBoxContents.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray content(reinterpret_cast<const char *>(data), qsizetype(size));
    const vesk::OutBoxContents out = vesk::OutBoxContents::parse(QStringLiteral("1.ID"), content);
    if (out.fileName != QStringLiteral("1.ID"))
        std::abort();
    if (out.problem != vesk::OutBoxContents::Problem::None)
        return 0;
    if (out.recipients.isEmpty() || !vesk::isSafeEnvelopeAddress(out.sender))
        std::abort();
    for (const QByteArray &recipient : out.recipients) {
        const QByteArray command = "RCPT TO: <" + recipient + ">\r\n";
        if (!vesk::isSafeEnvelopeAddress(recipient) || command.count('\n') != 1 || command.count('\r') != 1)
            std::abort();
    }
    return 0;
}
