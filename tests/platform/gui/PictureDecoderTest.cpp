#include "platform/gui/PictureDecoder.h"
#include "support/TestPaths.h"

#include <QBuffer>
#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

namespace vesk::test {
namespace {

QByteArray encoded(const QSize &size, const char *format)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(QColor(200, 40, 30));
    // A blue right half: the decoded colours must keep their places.
    QPainter(&image).fillRect(
        size.width() / 2, 0, size.width() - size.width() / 2, size.height(), QColor(20, 60, 210));
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format, 92);
    return bytes;
}

bool near(QRgb pixel, const QColor &expected)
{
    return std::abs(qRed(pixel) - expected.red()) < 24 && std::abs(qGreen(pixel) - expected.green()) < 24
        && std::abs(qBlue(pixel) - expected.blue()) < 24;
}

TEST(PictureDecoderTest, LargePicturesAreReducedToTheBoundAndSmallOnesKeepTheirSize)
{
    const QSize bound(320, 240);
    const struct
    {
        QSize picture;
        const char *format;
        QSize shown;
        int jpegScale; // eighths libjpeg decodes at
    } cases[] = {
        { { 1600, 1200 }, "JPG", { 320, 240 }, 2 },
        { { 3000, 1000 }, "JPG", { 320, 106 }, 1 },
        { { 330, 240 }, "JPG", { 320, 232 }, 8 },
        { { 160, 120 }, "JPG", { 160, 120 }, 8 },
        { { 640, 480 }, "BMP", { 320, 240 }, 0 },
        { { 100, 80 }, "BMP", { 100, 80 }, 0 },
    };
    for (const auto &c : cases) {
        QString error;
        const QImage image = PictureDecoder::decode(encoded(c.picture, c.format), bound, &error);
        ASSERT_FALSE(image.isNull()) << error.toStdString();
        EXPECT_EQ(image.size(), c.shown) << c.picture.width() << "x" << c.picture.height();
        EXPECT_TRUE(near(image.pixel(image.width() / 4, image.height() / 2), QColor(200, 40, 30)));
        EXPECT_TRUE(near(image.pixel(image.width() * 3 / 4, image.height() / 2), QColor(20, 60, 210)));
        if (c.jpegScale > 0) {
            EXPECT_EQ(PictureDecoder::jpegScale(c.picture, c.shown), c.jpegScale);
        }
    }
}

TEST(PictureDecoderTest, GreyAndCmykJpegsAreShownToo)
{
    // libjpeg gives no RGB from CMYK: Qt decodes those.
    for (const char *name : { "cmyk.jpg", "gray_progressive.jpg" }) {
        QString error;
        const QString path
            = sourceDir() + QStringLiteral("/fuzz/corpus/picture_decode/") + QLatin1String(name);
        EXPECT_EQ(PictureDecoder::decodeFile(path, QSize(320, 240), &error).size(), QSize(64, 48))
            << name << " " << error.toStdString();
    }
}

TEST(PictureDecoderTest, DamagedPicturesAreRefusedWithAReason)
{
    const QByteArray jpeg = encoded({ 400, 300 }, "JPG");
    const struct
    {
        const char *what;
        QByteArray bytes;
        bool shown;
    } cases[] = {
        { "text", "not a picture at all", false },
        { "JPEG header only", jpeg.left(200), false },
        { "JPEG marker then noise", QByteArray("\xFF\xD8\xFF\xE0") + QByteArray(500, '\x55'), false },
        { "huge claimed size",
            QByteArray::fromHex("ffd8ffc0001108ffffffff03012200021101031101") + jpeg.mid(2), false },
        // Cut in the middle of the picture: the part that is there is shown.
        { "JPEG cut short", jpeg.left(jpeg.size() / 2), true },
        { "empty", QByteArray(), false },
    };
    for (const auto &c : cases) {
        QString error;
        const QImage image = PictureDecoder::decode(c.bytes, QSize(320, 240), &error);
        EXPECT_EQ(!image.isNull(), c.shown) << c.what;
        if (!c.shown) {
            EXPECT_FALSE(error.isEmpty()) << c.what;
        }
    }
    EXPECT_TRUE(PictureDecoder::decodeFile(QStringLiteral("/nonexistent/a.jpg"), QSize(320, 240)).isNull());
}

} // namespace
} // namespace vesk::test
