#include "store/japanese/HeaderBlock.h"

#include "platform/Blanks.h"
#include "platform/RegularFile.h"

#include <cerrno>
#include <unistd.h>

namespace vesk {
namespace {

constexpr qsizetype kChunk = 16 * 1024;

// Plain POSIX reads: a box list opens thousands of files, and QFile's extra
// bookkeeping per open shows in that.
class ReadOnlyFile
{
public:
    explicit ReadOnlyFile(const QString &path)
        : m_fd(RegularFile::openReadOnly(path))
    { }
    ~ReadOnlyFile()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    ReadOnlyFile(const ReadOnlyFile &) = delete;
    ReadOnlyFile &operator=(const ReadOnlyFile &) = delete;

    bool isOpen() const { return m_fd >= 0; }
    // Bytes read, 0 at the end, -1 on an error.
    qint64 read(char *buffer, qsizetype size)
    {
        for (;;) {
            const ssize_t got = ::read(m_fd, buffer, size_t(size));
            if (got >= 0 || errno != EINTR)
                return got;
        }
    }

private:
    int m_fd;
};

} // namespace

qsizetype endOfHeader(QByteArrayView text, qsizetype from)
{
    qsizetype start = from;
    while (start < text.size()) {
        const qsizetype lineEnd = text.indexOf('\n', start);
        const qsizetype end = lineEnd < 0 ? text.size() : lineEnd;
        if (Blanks::trimmed(text.sliced(start, end - start)).isEmpty())
            return lineEnd < 0 ? -1 : lineEnd + 1;
        if (lineEnd < 0)
            return -1;
        start = lineEnd + 1;
    }
    return -1;
}

QByteArray readHeaderBlock(const QString &filePath, qsizetype limit)
{
    ReadOnlyFile file(filePath);
    if (!file.isOpen())
        return {};
    QByteArray block;
    qsizetype scanned = 0; // start of the first line not yet known to be non-blank
    while (block.size() < limit) {
        const qsizetype want = qMin(kChunk, limit - block.size());
        const qsizetype had = block.size();
        block.resize(had + want);
        const qint64 got = file.read(block.data() + had, want);
        block.truncate(had + qMax<qint64>(got, 0));
        if (got <= 0)
            break;
        const qsizetype end = endOfHeader(block, scanned);
        if (end >= 0) {
            block.truncate(end);
            break;
        }
        // Rescan only the last, possibly unfinished line next time.
        const qsizetype lastLine = block.lastIndexOf('\n');
        scanned = lastLine < 0 ? 0 : lastLine + 1;
    }
    return block;
}

} // namespace vesk
