#include "settings/IniSettingsStore.h"

#include "platform/DurableFile.h"
#include "settings/IniFormat.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstdio>
#include <sys/stat.h>

namespace vesk {

IniSettingsStore::IniSettingsStore(QString path)
    : m_path(std::move(path))
{ }

std::optional<IniDocument> IniSettingsStore::loadIfChanged()
{
    const FileStamp found = stamp();
    if (m_loaded && *m_loaded == found)
        return std::nullopt;
    m_loaded = found;
    return load(found);
}

IniDocument IniSettingsStore::load(const FileStamp &found)
{
    m_loadError.clear();
    if (found.error == ENOENT || found.error == ENOTDIR)
        return {};
    if (found.error != 0) {
        m_loadError = DurableFile::failure(QStringLiteral("設定ファイルを読み込めません"), m_path, found.error);
        return {};
    }
    if (found.size > MaxFileSize) {
        // Moved, not copied: the bytes are never read.
        const QString bad = badCopyPath();
        if (::rename(QFile::encodeName(m_path).constData(), QFile::encodeName(bad).constData()) != 0) {
            m_loadError = DurableFile::failure(QStringLiteral("設定ファイルが大きすぎるため読み込みません"), m_path, errno);
            return {};
        }
        m_notice = QStringLiteral("設定ファイルが大きすぎるため（上限 %1 バイト）読み込まず、%2 に移しました。"
                                  "設定は初期値から始まります。")
                       .arg(MaxFileSize)
                       .arg(bad);
        return {};
    }
    QFile file(m_path);
    if (!file.open(QIODevice::ReadOnly)) {
        m_loadError = QStringLiteral("設定ファイルを読み込めません: %1: %2").arg(m_path, file.errorString());
        return {};
    }
    // The file may have grown since it was looked at: read no more than allowed.
    const QByteArray bytes = file.read(MaxFileSize + 1);
    if (bytes.size() > MaxFileSize || file.error() != QFileDevice::NoError) {
        m_loadError = QStringLiteral("設定ファイルを読み込めません: %1: %2").arg(m_path, file.errorString());
        return {};
    }
    bool clean = true;
    IniDocument document = IniFormat::parse(bytes, &clean);
    if (!clean)
        keepBadCopy(bytes);
    return document;
}

void IniSettingsStore::keepBadCopy(const QByteArray &bytes)
{
    const QString bad = badCopyPath();
    QFile earlier(bad);
    // Kept and told already: the same file read again (after a restart).
    if (earlier.open(QIODevice::ReadOnly) && earlier.size() == bytes.size() && earlier.readAll() == bytes)
        return;
    const DurableFile::Result kept = DurableFile::write(bad, bytes, DurableFile::Existing::Replace);
    if (!kept.ok()) {
        // Without the copy the original must not be replaced either.
        m_loadError = kept.error;
        return;
    }
    m_notice = QStringLiteral("設定ファイルに読めない部分がありました。読める設定だけを使い、"
                              "元のファイルは %1 に残しました。")
                   .arg(bad);
}

bool IniSettingsStore::persist(const IniDocument &document, QString *error)
{
    if (!m_loadError.isEmpty()) {
        *error = m_loadError + QStringLiteral("（読み込めない設定ファイルは上書きしません）");
        return false;
    }
    if (!makeFolder(error))
        return false;

    // The file holds the password: it is made for the owner only.
    const DurableFile::Result written
        = DurableFile::write(m_path, IniFormat::write(document), DurableFile::Existing::Replace);
    if (!written.ok()) {
        // The old settings file stays as it was.
        *error = DurableFile::failure(QStringLiteral("設定ファイルを保存できません"), m_path, written.code);
        return false;
    }
    m_loaded = stamp();
    return true;
}

IniSettingsStore::FileStamp IniSettingsStore::stamp() const
{
    FileStamp found;
    struct stat info;
    if (::stat(QFile::encodeName(m_path).constData(), &info) != 0) {
        found.error = errno;
        return found;
    }
    found.size = info.st_size;
    found.modifiedSec = info.st_mtim.tv_sec;
    found.modifiedNsec = info.st_mtim.tv_nsec;
    found.device = info.st_dev;
    found.inode = info.st_ino;
    return found;
}

bool IniSettingsStore::makeFolder(QString *error) const
{
    const QString folder = QFileInfo(m_path).absolutePath();
    if (QFileInfo(folder).isDir())
        return true;
    // Create each missing level for the owner only.
    const QStringList parts = folder.split(u'/', Qt::SkipEmptyParts);
    QString path;
    for (const QString &part : parts) {
        path += u'/' + part;
        const QByteArray encoded = QFile::encodeName(path);
        if (::mkdir(encoded.constData(), S_IRWXU) == 0) {
            ::chmod(encoded.constData(), S_IRWXU);
        } else if (errno != EEXIST) {
            *error = DurableFile::failure(QStringLiteral("設定フォルダを作成できません"), path, errno);
            return false;
        }
    }
    if (QFileInfo(folder).isDir())
        return true;
    *error = DurableFile::failure(QStringLiteral("設定フォルダを作成できません"), folder, ENOTDIR);
    return false;
}

} // namespace vesk
