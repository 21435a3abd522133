#include "platform/gui/PictureDecoder.h"

#include <QBuffer>
#include <QFile>
#include <QImageReader>

#include <csetjmp>
#include <cstdio>
#include <jpeglib.h>
#include <memory>

namespace vesk {
namespace {

void fail(QString *error, const QString &text)
{
    if (error)
        *error = text;
}

// libjpeg reports fatal errors by calling error_exit, which must not return:
// it jumps back to the decoder with the message.
struct JpegErrors
{
    jpeg_error_mgr manager;
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
};

void jpegErrorExit(j_common_ptr info)
{
    auto *errors = reinterpret_cast<JpegErrors *>(info->err);
    (*info->err->format_message)(info, errors->message);
    std::longjmp(errors->jump, 1);
}

// Warnings (a truncated file among them) still give a picture: keep quiet.
void jpegQuiet(j_common_ptr)
{ }

// Everything the jump may cross lives here, on the heap, and is cleaned up
// by its destructor whichever way the decoding ends.
struct JpegJob
{
    jpeg_decompress_struct info {};
    JpegErrors errors {};
    QImage image;
    bool created = false;

    ~JpegJob()
    {
        if (created)
            jpeg_destroy_decompress(&info);
    }
};

bool isJpeg(const QByteArray &data)
{
    return data.size() >= 3 && quint8(data[0]) == 0xFF && quint8(data[1]) == 0xD8 && quint8(data[2]) == 0xFF;
}

// Returns false with `fallBack` set when libjpeg cannot give RGB (CMYK
// pictures): Qt decodes those.
bool decodeJpeg(const QByteArray &data, const QSize &bound, JpegJob &job, QString *error, bool *fallBack)
{
    jpeg_decompress_struct &info = job.info;
    info.err = jpeg_std_error(&job.errors.manager);
    job.errors.manager.error_exit = jpegErrorExit;
    job.errors.manager.output_message = jpegQuiet;
    if (setjmp(job.errors.jump)) {
        fail(error, QString::fromLocal8Bit(job.errors.message));
        job.image = QImage();
        return false;
    }
    jpeg_create_decompress(&info);
    job.created = true;
    jpeg_mem_src(&info, reinterpret_cast<const unsigned char *>(data.constData()),
        static_cast<unsigned long>(data.size()));
    jpeg_read_header(&info, TRUE);
    const QSize picture(int(info.image_width), int(info.image_height));
    if (qint64(picture.width()) * picture.height() > PictureDecoder::MaxPixels) {
        fail(error, QStringLiteral("画像が大きすぎます (%1x%2)").arg(picture.width()).arg(picture.height()));
        return false;
    }
    if (info.jpeg_color_space == JCS_CMYK || info.jpeg_color_space == JCS_YCCK) {
        *fallBack = true;
        return false;
    }
    info.scale_num = unsigned(PictureDecoder::jpegScale(picture, PictureDecoder::fitted(picture, bound)));
    info.scale_denom = 8;
    info.dct_method = JDCT_ISLOW;
#if Q_BYTE_ORDER == Q_LITTLE_ENDIAN
    info.out_color_space = JCS_EXT_BGRA; // QImage::Format_RGB32 in memory
#else
    info.out_color_space = JCS_EXT_ARGB;
#endif
    jpeg_start_decompress(&info);
    job.image = QImage(int(info.output_width), int(info.output_height), QImage::Format_RGB32);
    if (job.image.isNull()) {
        fail(error, QStringLiteral("画像のメモリを確保出来ません"));
        jpeg_abort_decompress(&info);
        return false;
    }
    while (info.output_scanline < info.output_height) {
        JSAMPROW row = job.image.scanLine(int(info.output_scanline));
        jpeg_read_scanlines(&info, &row, 1);
    }
    jpeg_finish_decompress(&info);
    return true;
}

QImage decodeWithQt(const QByteArray &data, const QSize &bound, QString *error)
{
    QBuffer buffer;
    buffer.setData(data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    const QSize picture = reader.size();
    if (!picture.isValid()) {
        fail(error, reader.errorString());
        return {};
    }
    if (qint64(picture.width()) * picture.height() > PictureDecoder::MaxPixels) {
        fail(error, QStringLiteral("画像が大きすぎます (%1x%2)").arg(picture.width()).arg(picture.height()));
        return {};
    }
    const QSize target = PictureDecoder::fitted(picture, bound);
    if (target != picture)
        reader.setScaledSize(target);
    QImage image = reader.read();
    if (image.isNull())
        fail(error, reader.errorString());
    return image;
}

} // namespace

QSize PictureDecoder::fitted(const QSize &picture, const QSize &bound)
{
    if (!bound.isValid() || bound.isEmpty() || picture.isEmpty())
        return picture;
    if (picture.width() <= bound.width() && picture.height() <= bound.height())
        return picture;
    return picture.scaled(bound, Qt::KeepAspectRatio).expandedTo(QSize(1, 1));
}

int PictureDecoder::jpegScale(const QSize &picture, const QSize &target)
{
    for (int num = 1; num < 8; ++num) {
        // libjpeg rounds the scaled size up.
        const qint64 w = (qint64(picture.width()) * num + 7) / 8;
        const qint64 h = (qint64(picture.height()) * num + 7) / 8;
        if (w >= target.width() && h >= target.height())
            return num;
    }
    return 8;
}

QImage PictureDecoder::decode(const QByteArray &data, const QSize &bound, QString *error)
{
    if (!isJpeg(data))
        return decodeWithQt(data, bound, error);
    auto job = std::make_unique<JpegJob>();
    bool fallBack = false;
    if (!decodeJpeg(data, bound, *job, error, &fallBack))
        return fallBack ? decodeWithQt(data, bound, error) : QImage();
    const QSize picture(int(job->info.image_width), int(job->info.image_height));
    const QSize target = fitted(picture, bound);
    if (job->image.size() == target)
        return std::move(job->image);
    return job->image.scaled(target, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

QImage PictureDecoder::decodeFile(const QString &path, const QSize &bound, QString *error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        fail(error, file.errorString());
        return {};
    }
    if (file.size() > MaxFileSize) {
        fail(error, QStringLiteral("ファイルが大きすぎます"));
        return {};
    }
    const QByteArray data = file.read(MaxFileSize + 1);
    if (data.size() > MaxFileSize || file.error() != QFileDevice::NoError) {
        fail(error, file.errorString());
        return {};
    }
    return decode(data, bound, error);
}

} // namespace vesk
