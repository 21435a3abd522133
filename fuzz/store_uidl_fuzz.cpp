// Unique ids from arbitrary message files: never crashes, and always gives an
// id that fits on a UIDL line (not empty, no line break, no blanks at its ends).
// The ids a box gives (this one, the same again, and pieces of it) are all
// usable and unique once assigned.
#include "store/BoxUniqueIds.h"
#include "store/MessageStore.h"

#include <QSet>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdlib>

namespace {

struct Folder
{
    QTemporaryDir dir;
    vesk::MessageStore store { dir.path() };
    QString path = store.filePath(vesk::Box::InBox, QStringLiteral("202612052033101230.ID"));
    Folder() { QDir().mkpath(store.folderPath(vesk::Box::InBox)); }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static Folder folder;
    {
        // Written plainly: the durable save would make every run wait for the disk.
        QFile file(folder.path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            std::abort();
        file.write(reinterpret_cast<const char *>(data), qint64(size));
    }
    const QString id = folder.store.searchUidl(vesk::Box::InBox, QStringLiteral("202612052033101230.ID"));
    if (id.isEmpty() || id.contains(u'\r') || id.contains(u'\n') || id.front() <= u' ' || id.back() <= u' ')
        std::abort();
    const QByteArray raw(reinterpret_cast<const char *>(data), qsizetype(size));
    const QList<QByteArray> found = { id.toLatin1(), id.toLatin1(), raw.left(80), raw.mid(80, 40) };
    const QStringList names = { QStringLiteral("a.ID"), QStringLiteral("b.ID"), QString::fromLatin1(raw.left(60)),
        QStringLiteral("d.ID") };
    QSet<QByteArray> seen;
    for (const QByteArray &unique : vesk::BoxUniqueIds::assign(names, found)) {
        if (!vesk::BoxUniqueIds::usable(unique) || seen.contains(unique))
            std::abort();
        seen.insert(unique);
    }
    return 0;
}
