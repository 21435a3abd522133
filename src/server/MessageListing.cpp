#include "server/MessageListing.h"

#include "store/MessageNumber.h"

#include <QFileInfo>

namespace vesk {

void MessageListing::take(const MessageStore &store, Box box)
{
    m_box = box;
    m_entries.clear();
    for (const QString &name : store.listing(box)) {
        const QFileInfo info(store.filePath(box, name));
        m_entries.append({ name, info.size(), false });
    }
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
