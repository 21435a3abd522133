#include "session/OutBoxContents.h"

#include "mail/MailText.h"
#include "platform/EventPump.h"
#include "store/MessageStore.h"

namespace vesk {

const QByteArray OutBoxContents::NonVeskFrom = QByteArrayLiteral("NonVeskFrom");

namespace {

bool startsWithNoCase(const QByteArray &line, const char *prefix)
{
    const QByteArray head(prefix);
    return line.size() >= head.size() && line.left(head.size()).toUpper() == head;
}

} // namespace


QList<QByteArray> splitCrLf(const QByteArray &text)
{
    QList<QByteArray> lines;
    qsizetype start = 0;
    while (start < text.size()) {
        const qsizetype end = text.indexOf("\r\n", start);
        if (end < 0) {
            lines << text.mid(start);
            break;
        }
        lines << text.mid(start, end - start);
        start = end + 2;
    }
    return lines;
}

OutBoxContents OutBoxContents::parse(const QString &fileName, const QByteArray &content)
{
    OutBoxContents out;
    out.lines = splitCrLf(content);
    out.sender = NonVeskFrom;
    QByteArray headerAddress;
    qsizetype i = 0;
    while (i < out.lines.size() && !out.lines.at(i).isEmpty()) {
        const QByteArray &line = out.lines.at(i);
        if (startsWithNoCase(line, "FROM:"))
            headerAddress = ExtractName(line);
        if (startsWithNoCase(line, "VESKFROM:")) {
            out.sender = ExtractName(line);
            out.lines.removeAt(i);
        } else if (startsWithNoCase(line, "VESKTO:")) {
            out.recipients << ExtractName(line);
            out.lines.removeAt(i);
        } else {
            ++i;
        }
    }
    if (out.sender == NonVeskFrom)
        out.sender = headerAddress;

    bool usable = !out.recipients.isEmpty()
        && !(out.recipients.size() == 1 && out.recipients.first().trimmed().isEmpty());
    usable = usable && isSafeEnvelopeAddress(out.sender);
    for (const QByteArray &recipient : out.recipients)
        usable = usable && isSafeEnvelopeAddress(recipient);
    out.fileName = fileName;
    if (!usable)
        out.problem = Problem::NoEnvelope;
    return out;
}

OutBoxContents OutBoxContents::read(
    const MessageStore &store, EventPump &pump, qint64 limit, const QSet<QString> &passedOver)
{
    MessageStore::Found first;
    for (int attempt = 0; attempt < 5 && first.fileName.isEmpty(); ++attempt) {
        pump.pause(100);
        const QStringList names = store.listing(Box::OutBox);
        for (qsizetype i = 0; i < names.size(); ++i) {
            if (passedOver.contains(names.at(i)))
                continue;
            first = store.searchFile(Box::OutBox, QString::number(i + 1));
            // Changed meanwhile: look again.
            if (first.fileName != names.at(i))
                first = {};
            break;
        }
    }
    if (first.fileName.isEmpty())
        return {};
    if (first.size > limit) {
        OutBoxContents out;
        out.fileName = first.fileName;
        out.problem = Problem::TooLarge;
        return out;
    }
    return parse(first.fileName, store.read(Box::OutBox, first.fileName));
}

} // namespace vesk
