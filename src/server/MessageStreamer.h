#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

#include <functional>

namespace vesk {

// Serves one stored message for TOP or RETR in its transfer form, a bounded
// piece at a time, so that a huge message never sits in memory or in the
// send queue as a whole. Envelope lines at the start of the file are left
// out; every line goes out with CR LF; the terminating "." follows.
class MessageStreamer final
{
public:
    // topLines < 0: the whole message; otherwise the header, the empty line
    // and that many body lines.
    MessageStreamer(const QString &path, int topLines);

    // Only a regular file is served (see RegularFile).
    bool open();
    qint64 fileSize() const { return m_file.size(); }

    // Called for every line served (without CR LF) while the monitor is open.
    using LineObserver = std::function<void(const QByteArray &line)>;
    // Called every 100 lines.
    using Progress = std::function<void()>;

    // Appends at least `budget` bytes (unless the message ends first) to
    // `out`. Returns true once the whole text and the final "." are in.
    bool fill(QByteArray &out, qsizetype budget, const LineObserver &observer, const Progress &progress);
    bool finished() const { return m_finished; }

private:
    bool refill();
    // Notes a line's place (envelope, header, body); false for an envelope
    // line, which is left out.
    bool classify(const QByteArray &line);
    void holdOrFlush(QByteArray &out);
    void copyCleanLines(QByteArray &out, qsizetype target, const Progress &progress);
    void lineDone(QByteArray &out, const LineObserver &observer, const Progress &progress);
    void finish(QByteArray &out);

    QString m_path;
    QFile m_file;
    int m_topLines;
    QByteArray m_buffer;
    qsizetype m_pos = 0;
    QByteArray m_line; // the current line while it is short enough to hold
    bool m_lineFlushed = false; // part of the current line went out already
    bool m_skipLine = false; // the current long line is an envelope line
    bool m_inEnvelope = true;
    bool m_inBody = false;
    qint64 m_bodyCount = 0;
    qint64 m_lines = 0;
    bool m_eof = false;
    bool m_finished = false;
};

} // namespace vesk
