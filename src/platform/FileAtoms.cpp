#include "platform/GlobalAtoms.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <unistd.h>

namespace vesk {

FileAtoms::FileAtoms(QString folder) : m_folder(std::move(folder))
{
}

QString FileAtoms::path(const QString &name) const
{
    // A name is one path component; anything else cannot be an atom here.
    if (name.isEmpty() || name.contains(QLatin1Char('/')) || name == QLatin1String(".")
        || name == QLatin1String(".."))
        return {};
    return m_folder + QLatin1Char('/') + name;
}

bool FileAtoms::add(const QString &name)
{
    const QString file = path(name);
    if (file.isEmpty())
        return false;
    if (!QDir().mkpath(m_folder))
        return false;
    QFile::setPermissions(m_folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    QFile out(file);
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    out.write(QByteArray::number(qint64(::getpid())) + '\n');
    return true;
}

void FileAtoms::remove(const QString &name)
{
    const QString file = path(name);
    if (!file.isEmpty())
        QFile::remove(file);
}

bool FileAtoms::exists(const QString &name) const
{
    const QString file = path(name);
    return !file.isEmpty() && QFileInfo::exists(file);
}

} // namespace vesk
