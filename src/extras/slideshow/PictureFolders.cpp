#include "extras/slideshow/PictureFolders.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>

namespace vesk {
namespace {

// A speed file is one number; anything longer is not read.
constexpr qint64 MaxSpeedFile = 4096;

bool lessByName(const QString &a, const QString &b)
{
    const int folded = a.compare(b, Qt::CaseInsensitive);
    return folded != 0 ? folded < 0 : a < b;
}

} // namespace

void PictureFolders::sortNames(QStringList &names)
{
    std::sort(names.begin(), names.end(), lessByName);
}

QStringList PictureFolders::list(const QStringList &places, bool *anyFolder)
{
    bool any = false;
    QStringList names;
    QStringList paths;
    for (const QString &place : places) {
        const QFileInfoList entries
            = QDir(place).entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
        for (const QFileInfo &entry : entries) {
            // Folders without an extension only ("*.").
            if (entry.fileName().contains(u'.'))
                continue;
            any = true;
            if (!entry.fileName().toUpper().contains(QLatin1String("JPGDATA"))
                || names.contains(entry.fileName()))
                continue;
            names << entry.fileName();
            paths << entry.absoluteFilePath();
        }
    }
    if (anyFolder)
        *anyFolder = any;
    std::vector<int> order(size_t(names.size()));
    for (int i = 0; i < names.size(); ++i)
        order[size_t(i)] = i;
    std::sort(order.begin(), order.end(), [&names](int a, int b) { return lessByName(names[a], names[b]); });
    QStringList sorted;
    for (int i : order)
        sorted << paths[i];
    return sorted;
}

PictureSet PictureFolders::scan(const QString &folder)
{
    PictureSet set;
    QStringList files = QDir(folder).entryList(QDir::Files | QDir::Hidden);
    sortNames(files);
    for (const QString &name : files) {
        set.empty = false;
        const QString path = folder + u'/' + name;
        const QString extension = QFileInfo(name).suffix().toUpper();
        if (extension == QLatin1String("BMP") || extension == QLatin1String("JPG")
            || extension == QLatin1String("JPEG"))
            set.pictures << path;
        else if (extension == QLatin1String("WAV"))
            set.wave = path;
        else if (extension == QLatin1String("SSP"))
            set.speedFile = path;
    }
    sortNames(set.pictures);
    return set;
}

int PictureFolders::speedFromText(const QByteArray &content)
{
    const qsizetype end = content.indexOf('\n');
    bool number = false;
    const int ms = content.left(end < 0 ? content.size() : end).trimmed().toInt(&number);
    return number ? ms : DefaultInterval;
}

int PictureFolders::speedFromFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return DefaultInterval;
    return speedFromText(file.read(MaxSpeedFile));
}

} // namespace vesk
