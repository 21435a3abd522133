#pragma once

#include <QByteArray>
#include <QList>
#include <QSet>
#include <QString>

namespace vesk {

class EventPump;
class MessageStore;

// The next out-box message with its envelope taken out (ContentsRead).
struct OutBoxContents
{
    // What keeps a file from being sent; it stays in the out-box.
    enum class Problem { None, NoEnvelope, TooLarge };

    // The out-box file name; empty when nothing (more) is to be sent.
    QString fileName;
    Problem problem = Problem::None;
    QByteArray sender;
    QList<QByteArray> recipients;
    // The message without its envelope lines, each without CR LF.
    QList<QByteArray> lines;

    static const QByteArray NonVeskFrom;

    bool found() const { return !fileName.isEmpty(); }

    // Takes the envelope out of a file's content.
    static OutBoxContents parse(const QString &fileName, const QByteArray &content);

    // Loads the first out-box message not in `passedOver`; a few tries with
    // short pauses, since a mailer may be handing one in right now.
    static OutBoxContents read(
        const MessageStore &store, EventPump &pump, qint64 limit, const QSet<QString> &passedOver);
};

// Splits CR LF text into lines; a final CR LF ends the last line.
QList<QByteArray> splitCrLf(const QByteArray &text);

} // namespace vesk
