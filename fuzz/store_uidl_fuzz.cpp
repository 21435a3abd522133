// Unique ids from arbitrary message files: never crashes, and always gives an
// id that fits on a UIDL line (not empty, no line break, no blanks at its ends).
#include "store/MessageStore.h"

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
    return 0;
}
