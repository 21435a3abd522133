#pragma once

#include <QByteArray>

namespace vesk {

// The text of a message being retrieved, kept in its transfer form (CR LF
// line ends, doubled leading dots), built from the data blocks of the line
// assembly: each block is text that was followed by CR LF.
class IncomingMessage
{
public:
    // OutOfStep: more text came with the terminating "." line (a line no
    // reply was due for, or a "." the provider failed to double): the text
    // cannot be trusted.
    enum class Result { More, Complete, TooLarge, OutOfStep };

    explicit IncomingMessage(qint64 limit)
        : m_limit(limit)
    { }

    void setLimit(qint64 limit) { m_limit = limit; }
    qint64 limit() const { return m_limit; }

    // Adds one block. The terminating "." line (alone, or after the last text
    // in the same block) completes the message and is not kept. A block that
    // would take the message past the limit is refused.
    Result add(const QByteArray &block);

    // Prepares for a message of about this size (from LIST).
    void expect(qint64 size);
    // What was kept is dropped, and so is the rest of the message: only its
    // end is still looked for.
    void skipRest();
    bool skipping() const { return m_skipping; }
    const QByteArray &content() const { return m_content; }
    qint64 size() const { return m_content.size(); }
    void clear();

private:
    QByteArray m_content;
    qint64 m_limit;
    bool m_skipping = false;
};

} // namespace vesk
