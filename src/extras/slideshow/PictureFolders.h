#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace vesk {

// What one picture folder holds, by the upper-cased extension of its files.
struct PictureSet
{
    QStringList pictures; // .BMP, .JPG, .JPEG: full paths in sorted order
    QString wave; // .WAV: the new-mail sound while this set is current
    QString speedFile; // .SSP: its first line is the picture interval
    bool empty = true; // the folder holds no file at all
};

// The picture folders: folders without an extension whose upper-cased name
// contains "JPGDATA" (JpgData, JPGDATA2, myjpgdata), each one animation.
class PictureFolders final
{
public:
    static constexpr int DefaultInterval = 200;

    // MultiJpgRead's listing of the program's folders (the user's first, then
    // the shipped ones): the picture folders sorted by name, as full paths. A
    // name found in two places is taken from the first. `anyFolder` tells
    // whether the places hold any folder without an extension at all.
    static QStringList list(const QStringList &places, bool *anyFolder = nullptr);

    // The files of one picture folder; when two sounds or speed files are
    // there, the last by name counts.
    static PictureSet scan(const QString &folder);

    // The speed file's first line as milliseconds; DefaultInterval when it is
    // not a number (or the file is empty).
    static int speedFromText(const QByteArray &content);
    static int speedFromFile(const QString &path);

    // Sorted as the listing is: by name without regard to case, then exactly.
    static void sortNames(QStringList &names);
};

} // namespace vesk
