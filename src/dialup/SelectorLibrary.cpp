#include "dialup/SelectorLibrary.h"

#include <QFileInfo>

#include <array>
#include <cstring>

#include <sys/stat.h>
#include <unistd.h>

namespace vesk {
namespace {

// Owned by this user and writable by nobody else.
bool privateTo(const QString &path)
{
    struct stat st {};
    return ::stat(QFile::encodeName(path).constData(), &st) == 0 && st.st_uid == ::geteuid()
        && (st.st_mode & (S_IWGRP | S_IWOTH)) == 0;
}

// Nobody but this user (or the system) can put another file in its place:
// every folder from the root down is the user's or root's, and writable by
// nobody else (a sticky folder such as /tmp keeps others from replacing
// what is not theirs).
bool folderChainSafe(const QString &folder)
{
    QString path = folder;
    for (;;) {
        struct stat st {};
        if (::stat(QFile::encodeName(path).constData(), &st) != 0)
            return false;
        const bool owner = st.st_uid == ::geteuid() || st.st_uid == 0;
        const bool othersWrite = (st.st_mode & (S_IWGRP | S_IWOTH)) != 0;
        if (!owner || (othersWrite && !(st.st_mode & S_ISVTX && st.st_uid == 0)))
            return false;
        if (path == QLatin1String("/"))
            return true;
        path = QFileInfo(path).absolutePath();
    }
}

} // namespace

SelectorLibrary::SelectorLibrary(QString path)
    : m_path(std::move(path))
{ }

bool SelectorLibrary::open(QString *why)
{
    const QFileInfo link(m_path);
    if (!link.exists())
        return false;
    // What is judged is the file that will be loaded, wherever a link points.
    const QFileInfo file(link.canonicalFilePath());
    if (!file.isFile() || !privateTo(file.filePath()) || !privateTo(file.absolutePath())
        || !folderChainSafe(file.absolutePath())) {
        *why = QStringLiteral("%1 は他のユーザーが書き換えられるので読み込みません。").arg(m_path);
        return false;
    }
    m_library.setFileName(file.filePath());
    if (!m_library.load()) {
        *why = QStringLiteral("%1 を読み込めません。\n%2").arg(m_path, m_library.errorString());
        return false;
    }
    m_selApOn = reinterpret_cast<SelApOn>(m_library.resolve("SelApOn"));
    if (!m_selApOn) {
        *why = QStringLiteral("%1 に SelApOn がありません。").arg(m_path);
        m_library.unload();
    }
    return isOpen();
}

std::optional<AccessPointChoice> SelectorLibrary::choose()
{
    if (!m_selApOn)
        return std::nullopt;
    // One byte more than the size given, so that whatever the library leaves
    // in a buffer is read as a terminated text.
    std::array<std::array<char, BufferSize + 1>, 7> buffers {};
    const int n = BufferSize;
    auto b = [&buffers](int i) { return buffers[std::size_t(i)].data(); };
    if (m_selApOn(b(0), n, b(1), n, b(2), n, b(3), n, b(4), n, b(5), n, b(6), n) == 0)
        return std::nullopt;
    auto text = [&](int i) {
        b(i)[BufferSize] = '\0';
        return QString::fromUtf8(b(i), qsizetype(std::strlen(b(i)))).trimmed();
    };
    AccessPointChoice choice;
    choice.title = text(0);
    choice.ap = text(1);
    choice.host = text(2);
    choice.smtp = text(3);
    choice.userId = text(4);
    choice.password = text(5);
    choice.apop = text(6) == QLatin1String("1");
    return choice;
}

} // namespace vesk
