#include "session/KeptIds.h"

#include "platform/DurableFile.h"

#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>

namespace vesk {
namespace {

constexpr qsizetype kDateLength = 20; // 2026-12-07T19:14:07Z

QByteArray dateText(const QDateTime &when)
{
    return when.toUTC().toString(QStringLiteral("yyyy-MM-ddTHH:mm:ssZ")).toLatin1();
}

QDateTime dateFrom(QByteArrayView text)
{
    if (text.size() != kDateLength || text.back() != 'Z')
        return {};
    QDateTime when = QDateTime::fromString(QString::fromLatin1(text), QStringLiteral("yyyy-MM-ddTHH:mm:ssZ"));
    when.setTimeSpec(Qt::UTC);
    return when;
}

bool plainBoxName(QByteArrayView name)
{
    if (name.isEmpty() || name.size() > 64)
        return false;
    for (const char c : name) {
        if (!((c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '.'
                || c == '_' || c == '-'))
            return false;
    }
    return name != "." && name != "..";
}

} // namespace

bool KeptIds::usableId(QByteArrayView id)
{
    if (id.isEmpty() || id.size() > 70)
        return false;
    for (const char c : id) {
        if (c < '!' || c > '~')
            return false;
    }
    return true;
}

QString KeptIds::fileNameFor(const QString &host, const QString &user)
{
    const QByteArray account = host.trimmed().toLower().toUtf8() + '\n' + user.toUtf8();
    return QStringLiteral("kept-")
        + QString::fromLatin1(QCryptographicHash::hash(account, QCryptographicHash::Md5).toHex().left(16))
        + QStringLiteral(".uidl");
}

bool KeptIds::parseLine(QByteArrayView line, QByteArray *id, Entry *entry)
{
    if (line.endsWith('\r'))
        line.chop(1);
    if (line.size() > MaxLineBytes)
        return false;
    const qsizetype first = line.indexOf(' ');
    const qsizetype second = first < 0 ? -1 : line.indexOf(' ', first + 1);
    if (second < 0)
        return false;
    const QDateTime stored = dateFrom(line.first(first));
    const QByteArrayView name = line.sliced(first + 1, second - first - 1);
    const QByteArrayView uidl = line.sliced(second + 1);
    if (!stored.isValid() || !usableId(uidl) || (name != "-" && !plainBoxName(name)))
        return false;
    *id = uidl.toByteArray();
    entry->stored = stored;
    entry->fileName = name == "-" ? QString() : QString::fromLatin1(name);
    return true;
}

QByteArray KeptIds::lineOf(const QByteArray &id, const Entry &entry)
{
    const QByteArray name
        = plainBoxName(entry.fileName.toLatin1()) ? entry.fileName.toLatin1() : QByteArray("-");
    return dateText(entry.stored) + ' ' + name + ' ' + id;
}

KeptIds::Map KeptIds::parse(QByteArrayView text)
{
    Map entries;
    while (!text.isEmpty()) {
        qsizetype end = text.indexOf('\n');
        if (end < 0)
            end = text.size();
        QByteArray id;
        Entry entry;
        if (parseLine(text.first(end), &id, &entry) && !entries.contains(id))
            entries.insert(id, entry);
        text = text.sliced(std::min(end + 1, text.size()));
    }
    return entries;
}

QByteArray KeptIds::serialize(const Map &entries)
{
    QByteArray text;
    for (auto it = entries.cbegin(); it != entries.cend(); ++it)
        text += lineOf(it.key(), it.value()) + '\n';
    return text;
}

KeptIds::Map KeptIds::load(const QString &path)
{
    QFile file(path);
    if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly) || file.size() > MaxFileBytes)
        return {};
    return parse(file.read(MaxFileBytes));
}

int KeptIds::count(const QString &folder, const QString &host, const QString &user)
{
    return int(load(folder + QLatin1Char('/') + fileNameFor(host, user)).size());
}

bool KeptIds::save(const QString &path, const Map &entries, QString *error)
{
    if (entries.isEmpty()) {
        if (QFile::exists(path) && !QFile::remove(path)) {
            *error = path;
            return false;
        }
        DurableFile::syncFolder(QFileInfo(path).absolutePath());
        return true;
    }
    const DurableFile::Result result
        = DurableFile::write(path, serialize(entries), DurableFile::Existing::Replace);
    if (!result.ok())
        *error = result.error;
    return result.ok();
}

} // namespace vesk
