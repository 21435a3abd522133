#include "store/MessageStore.h"

#include "platform/DurableFile.h"
#include "platform/Messenger.h"
#include "platform/RegularFile.h"
#include "platform/StagedFile.h"
#include "store/MessageNumber.h"
#include "store/UniqueIdReader.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

namespace vesk {
namespace {

const QLatin1String Extension(".ID");

// A temporary file this old cannot belong to a save still running.
constexpr qint64 StaleTempSeconds = 60 * 60;

bool hasMessageExtension(const QString &name)
{
    return name.endsWith(Extension, Qt::CaseInsensitive);
}

// The *.ID files of a folder in name order, with their sizes. Only regular
// files count: a symbolic link could name any file of the user's (or a FIFO
// that blocks every reader), and nothing of ours ever makes one.
QFileInfoList messageFiles(const QString &folder)
{
    QFileInfoList files = QDir(folder).entryInfoList(QDir::Files | QDir::Hidden | QDir::NoSymLinks, QDir::NoSort);
    files.erase(std::remove_if(files.begin(), files.end(),
                    [](const QFileInfo &file) {
                        return !hasMessageExtension(file.fileName()) || !file.isFile() || file.isSymLink();
                    }),
        files.end());
    std::sort(files.begin(), files.end(),
        [](const QFileInfo &a, const QFileInfo &b) { return a.fileName() < b.fileName(); });
    return files;
}

// A folder of ours becomes rwx for its owner only; one that is a link or
// someone else's is left alone.
void ownerOnly(const QString &folder)
{
    const QByteArray encoded = QFile::encodeName(folder);
    struct stat info;
    if (::lstat(encoded.constData(), &info) != 0 || !S_ISDIR(info.st_mode) || info.st_uid != ::getuid())
        return;
    if ((info.st_mode & 07777) != S_IRWXU)
        ::chmod(encoded.constData(), S_IRWXU);
}

QString createFailureText(Box box)
{
    switch (box) {
    case Box::OutBox:
        return QStringLiteral("OutBoxフォルダを作成出来ません");
    case Box::InBox:
        return QStringLiteral("InBoxフォルダを作成出来ません");
    case Box::InBox1:
        return QStringLiteral("InBox1フォルダを作成出来ません");
    case Box::InBox2:
        return QStringLiteral("InBox2フォルダを作成出来ません");
    }
    return {};
}

} // namespace

QString boxFolderName(Box box)
{
    switch (box) {
    case Box::InBox:
        return QStringLiteral("InBox/");
    case Box::InBox1:
        return QStringLiteral("InBox1/");
    case Box::InBox2:
        return QStringLiteral("InBox2/");
    case Box::OutBox:
        return QStringLiteral("OutBox/");
    }
    return {};
}

MessageStore::MessageStore(QString rootDir, const Clock &clock)
    : m_root(std::move(rootDir))
    , m_clock(clock)
{ }

QString MessageStore::folderPath(Box box) const
{
    return QDir(m_root).absolutePath() + u'/' + boxFolderName(box);
}

QString MessageStore::filePath(Box box, const QString &fileName) const
{
    return folderPath(box) + fileName;
}

void MessageStore::createFolders(Messenger &messenger) const
{
    const QDateTime staleBefore = QDateTime::currentDateTime().addSecs(-StaleTempSeconds);
    // Names, arrival times and counts of the mail are the owner's business:
    // the data folder and the boxes are the owner's only, also when an
    // earlier version made them readable for others.
    const QString root = QDir(m_root).absolutePath();
    if (QDir().mkpath(root))
        ownerOnly(root);
    for (Box box : { Box::OutBox, Box::InBox, Box::InBox1, Box::InBox2 }) {
        const QString folder = folderPath(box);
        const QByteArray encoded = QFile::encodeName(folder);
        if (!QFileInfo(folder).isDir() && !(::mkdir(encoded.constData(), S_IRWXU) == 0 && QFileInfo(folder).isDir())) {
            messenger.message(createFailureText(box));
            continue;
        }
        ownerOnly(folder);
        // File ages are file system times, hence the system's clock.
        DurableFile::removeStale(folder, staleBefore);
    }
}

QString MessageStore::timeStampGet() const
{
    const QDateTime now = m_clock.now();
    const QDate date = now.date();
    const QTime time = now.time();
    return QString::asprintf("%04d%02d%02d%02d%02d%02d%.3d", date.year(), date.month(), date.day(),
        time.hour(), time.minute(), time.second(), time.msec());
}

QString MessageStore::newFileName(const QString &stamp, std::initializer_list<Box> folders) const
{
    // Asks for each candidate name directly (in every case of its extension)
    // instead of listing the folders: a call costs the same with thousands of
    // messages waiting as with none.
    static const char *const extensions[] = { ".ID", ".Id", ".iD", ".id" };
    for (qint64 counter = 0;; ++counter) {
        const QString base = stamp + QString::number(counter);
        bool taken = false;
        for (Box box : folders) {
            for (const char *extension : extensions) {
                struct stat info;
                const QByteArray path = QFile::encodeName(folderPath(box) + base + QLatin1String(extension));
                if (::lstat(path.constData(), &info) == 0) {
                    taken = true;
                    break;
                }
            }
            if (taken)
                break;
        }
        if (!taken)
            return base + Extension;
    }
}

QStringList MessageStore::listing(Box box) const
{
    QStringList names;
    for (const QFileInfo &file : messageFiles(folderPath(box)))
        names << file.fileName();
    return names;
}

MessageStore::Summary MessageStore::checkDir(Box box) const
{
    Summary summary;
    for (const QFileInfo &file : messageFiles(folderPath(box))) {
        ++summary.count;
        summary.totalSize += file.size();
    }
    return summary;
}

MessageStore::Found MessageStore::searchFile(Box box, const QString &numberText) const
{
    const int number = parseMessageNumber(numberText).value_or(-1);
    if (number == -1)
        return { -1, {} };
    if (number == 0)
        return { 0, {} };
    const QFileInfoList files = messageFiles(folderPath(box));
    if (files.isEmpty())
        return { 0, {} };
    const qsizetype index = number >= 1 ? std::min<qsizetype>(number, files.size()) - 1 : files.size() - 1;
    return { files[index].size(), files[index].fileName() };
}

QString MessageStore::searchUidl(Box box, const QString &fileName) const
{
    if (DurableFile::isPlainName(fileName)) {
        QFile file;
        if (RegularFile::openForReading(file, filePath(box, fileName))) {
            const QByteArray id = UniqueIdReader::fromHeader(file);
            if (!id.isEmpty())
                return QString::fromLatin1(id);
        }
    }
    return UniqueIdReader::fromFileName(fileName);
}

bool MessageStore::save(
    Box box, const QString &fileName, const QList<QByteArray> &lines, QString *error) const
{
    qsizetype size = 0;
    for (const QByteArray &line : lines)
        size += line.size() + 2;
    QByteArray content;
    content.reserve(size);
    for (const QByteArray &line : lines) {
        content += line;
        content += "\r\n";
    }
    return saveContent(box, fileName, content, error);
}

bool MessageStore::saveContent(
    Box box, const QString &fileName, const QByteArray &content, QString *error) const
{
    const QString path = filePath(box, fileName);
    if (!DurableFile::isPlainName(fileName)) {
        if (error)
            *error = DurableFile::failure(QStringLiteral("ファイル名が正しくありません"), path, EINVAL);
        return false;
    }
    const DurableFile::Result written = DurableFile::write(path, content, DurableFile::Existing::Keep);
    if (!written.ok() && error)
        *error = written.error;
    return written.ok();
}

bool MessageStore::commitStaged(StagedFile &file, Box box, const QString &fileName, QString *error) const
{
    const QString path = filePath(box, fileName);
    if (!DurableFile::isPlainName(fileName)) {
        file.discard();
        if (error)
            *error = DurableFile::failure(QStringLiteral("ファイル名が正しくありません"), path, EINVAL);
        return false;
    }
    const DurableFile::Result committed = file.commit(path);
    if (!committed.ok() && error)
        *error = committed.error;
    return committed.ok();
}

QByteArray MessageStore::read(Box box, const QString &fileName) const
{
    if (!DurableFile::isPlainName(fileName))
        return {};
    QFile file;
    if (!RegularFile::openForReading(file, filePath(box, fileName)))
        return {};
    return file.readAll();
}

bool MessageStore::remove(Box box, const QString &fileName) const
{
    if (!DurableFile::isPlainName(fileName))
        return false;
    if (::unlink(QFile::encodeName(filePath(box, fileName)).constData()) != 0)
        return errno == ENOENT;
    // Keep the removal: a sent message that came back after a crash would go
    // out twice.
    DurableFile::syncFolder(folderPath(box));
    return true;
}

} // namespace vesk
