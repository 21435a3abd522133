#include "boxes/MessageTrash.h"

#include <QFile>

namespace vesk {

bool DesktopTrash::moveToTrash(const QString &path, QString *error)
{
    QFile file(path);
    if (file.moveToTrash())
        return true;
    if (error)
        *error = file.errorString();
    return false;
}

} // namespace vesk
