#include "store/BoxUniqueIds.h"

#include <QCryptographicHash>
#include <QSet>

namespace vesk {

QList<QByteArray> BoxUniqueIds::assign(const QStringList &fileNames, const QList<QByteArray> &found)
{
    QList<QByteArray> ids(fileNames.size());
    QSet<QByteArray> used;
    for (qsizetype i = 0; i < fileNames.size(); ++i) {
        const QByteArray id = found.value(i);
        if (usable(id) && !used.contains(id)) {
            ids[i] = id;
            used.insert(id);
        }
    }
    for (qsizetype i = 0; i < fileNames.size(); ++i) {
        if (!ids[i].isEmpty())
            continue;
        const QByteArray name = fileNames[i].toUtf8();
        QByteArray id = QCryptographicHash::hash(name, QCryptographicHash::Md5).toHex();
        // Only a header made to match another file's digest gets here.
        while (used.contains(id))
            id = QCryptographicHash::hash(id + name, QCryptographicHash::Md5).toHex();
        ids[i] = id;
        used.insert(id);
    }
    return ids;
}

bool BoxUniqueIds::usable(QByteArrayView id)
{
    if (id.isEmpty() || id.size() > MaxLength)
        return false;
    for (const char c : id) {
        if (c < '!' || c > '~')
            return false;
    }
    return true;
}

} // namespace vesk
