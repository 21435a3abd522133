#include "server/MessageListing.h"

#include "store/BoxUniqueIds.h"
#include "store/MessageNumber.h"

#include <QFileInfo>

namespace vesk {

void MessageListing::take(const MessageStore &store, Box box)
{
    m_box = box;
    clear();
    for (const QString &name : store.listing(box)) {
        const QFileInfo info(store.filePath(box, name));
        m_entries.append({ name, info.size(), false });
    }
}

void MessageListing::clear()
{
    m_entries.clear();
    m_ids.clear();
}

QByteArray MessageListing::uniqueId(const MessageStore &store, int number)
{
    if (m_ids.isEmpty() && !m_entries.isEmpty()) {
        QStringList names;
        QList<QByteArray> found;
        for (const Entry &entry : std::as_const(m_entries)) {
            names << entry.fileName;
            found << store.searchUidl(m_box, entry.fileName).toLatin1();
        }
        m_ids = BoxUniqueIds::assign(names, found);
    }
    return m_ids.value(number - 1);
}

int MessageListing::count() const
{
    int n = 0;
    for (const Entry &entry : m_entries)
        n += entry.deleted ? 0 : 1;
    return n;
}

qint64 MessageListing::totalSize() const
{
    qint64 total = 0;
    for (const Entry &entry : m_entries)
        total += entry.deleted ? 0 : entry.size;
    return total;
}

const MessageListing::Entry *MessageListing::find(const QByteArray &numberText, int *number) const
{
    const std::optional<int> parsed = parseMessageNumber(QString::fromLatin1(numberText));
    if (!parsed)
        return nullptr;
    if (number)
        *number = *parsed;
    return at(*parsed);
}

const MessageListing::Entry *MessageListing::at(int number) const
{
    if (number < 1 || number > m_entries.size() || m_entries[number - 1].deleted)
        return nullptr;
    return &m_entries[number - 1];
}

void MessageListing::markDeleted(int number)
{
    if (number >= 1 && number <= m_entries.size())
        m_entries[number - 1].deleted = true;
}

} // namespace vesk
