#pragma once

#include <QByteArray>
#include <QImage>
#include <QSize>
#include <QString>

namespace vesk {

// The slideshow's pictures, decoded no larger than they are shown. JPEG goes
// through libjpeg-turbo, which reduces while it decodes (in steps of 1/8) to
// the smallest size that still covers the one wanted; other formats, BMP
// above all, through Qt. A picture larger than `bound` is then fitted into
// it keeping its proportions; a smaller one keeps its own size. An invalid
// `bound` means full size.
class PictureDecoder final
{
public:
    // Limits against hostile files: the bytes read, and the pixels a header
    // may claim.
    static constexpr qint64 MaxFileSize = 64 * 1024 * 1024;
    static constexpr qint64 MaxPixels = 100'000'000;

    // A null image, and the reason, when the picture cannot be shown.
    static QImage decodeFile(const QString &path, const QSize &bound, QString *error = nullptr);
    static QImage decode(const QByteArray &data, const QSize &bound, QString *error = nullptr);

    // The size a w x h picture is shown at within `bound`.
    static QSize fitted(const QSize &picture, const QSize &bound);
    // The numerator (1-8, over 8) of the smallest libjpeg scale whose output
    // still covers `target`.
    static int jpegScale(const QSize &picture, const QSize &target);
};

} // namespace vesk
