#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

namespace vesk {

class EventPump;
class MessageStore;

// The next out-box message with its envelope taken out (ContentsRead).
struct OutBoxContents
{
    // The out-box file name; empty when the out-box is empty; NonVeskContents
    // when the file has no usable envelope; TooLarge when it is not loaded.
    QString fileName;
    QByteArray sender;
    QList<QByteArray> recipients;
    // The message without its envelope lines, each without CR LF.
    QList<QByteArray> lines;

    static const QString NonVeskContents;
    static const QString TooLarge;
    static const QByteArray NonVeskFrom;

    bool found() const { return !fileName.isEmpty(); }
    bool usable() const { return found() && fileName != NonVeskContents && fileName != TooLarge; }

    // Takes the envelope out of a file's content.
    static OutBoxContents parse(const QString &fileName, const QByteArray &content);

    // Loads message 1 of the out-box; a few tries with short pauses, since a
    // mailer may be handing one in right now.
    static OutBoxContents read(const MessageStore &store, EventPump &pump, qint64 limit);
};

// Splits CR LF text into lines; a final CR LF ends the last line.
QList<QByteArray> splitCrLf(const QByteArray &text);

} // namespace vesk
