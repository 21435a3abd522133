// The slideshow's decoding: a large JPEG reduced by libjpeg while it decodes
// to the strip's bound (320x240), against the baseline of decoding it whole
// and then scaling it down, in the same run.
#include "platform/gui/PictureDecoder.h"

#include <QBuffer>
#include <QGuiApplication>
#include <QImage>
#include <QImageReader>
#include <QPainter>

#include <benchmark/benchmark.h>
#include <random>

namespace {

const QSize kBound(320, 240);
const QSize kPictures[] = { { 6000, 4000 }, { 1920, 1080 } };

// A photograph-like picture: smooth gradients, shapes and fine noise, so
// that the JPEG carries real detail.
QByteArray makeJpeg(const QSize &size)
{
    QImage image(size, QImage::Format_RGB32);
    std::mt19937 rng(20261207);
    for (int y = 0; y < size.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < size.width(); ++x) {
            const int noise = int(rng() % 24);
            line[x] = qRgb((x * 255 / size.width() + noise) & 0xFF, (y * 255 / size.height() + noise) & 0xFF,
                (128 + (x ^ y) % 64 + noise) & 0xFF);
        }
    }
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    for (int i = 0; i < 40; ++i) {
        painter.setBrush(QColor::fromHsv(int(rng() % 360), 160, 220));
        const int r = size.width() / 20 + int(rng() % (size.width() / 10));
        painter.drawEllipse(QPoint(int(rng() % size.width()), int(rng() % size.height())), r, r);
    }
    painter.end();
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "JPG", 90);
    return bytes;
}

const QByteArray &jpeg(int which)
{
    static const QByteArray pictures[] = { makeJpeg(kPictures[0]), makeJpeg(kPictures[1]) };
    return pictures[which];
}

void label(benchmark::State &state)
{
    const QSize &size = kPictures[state.range(0)];
    state.SetLabel(QStringLiteral("%1x%2, %3 KB")
                       .arg(size.width())
                       .arg(size.height())
                       .arg(jpeg(int(state.range(0))).size() / 1024)
                       .toStdString());
}

// Baseline: the whole picture decoded, then scaled to the bound.
void BM_FullDecodeThenScale(benchmark::State &state)
{
    const QByteArray &data = jpeg(int(state.range(0)));
    for (auto _ : state) {
        const QImage full = vesk::PictureDecoder::decode(data, QSize());
        const QImage shown = full.scaled(kBound, Qt::KeepAspectRatio, Qt::SmoothTransformation);
        if (shown.isNull()) {
            state.SkipWithError("not decoded");
            return;
        }
        benchmark::DoNotOptimize(shown.constBits());
    }
    label(state);
}
BENCHMARK(BM_FullDecodeThenScale)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// What the slideshow does: libjpeg reduces in the decoder (1/8 steps), and
// only the small rest is scaled.
void BM_ReducedDecode(benchmark::State &state)
{
    const QByteArray &data = jpeg(int(state.range(0)));
    for (auto _ : state) {
        const QImage shown = vesk::PictureDecoder::decode(data, kBound);
        if (shown.isNull() || shown.width() > kBound.width()) {
            state.SkipWithError("not decoded to the bound");
            return;
        }
        benchmark::DoNotOptimize(shown.constBits());
    }
    label(state);
}
BENCHMARK(BM_ReducedDecode)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    // The JPEG writer of the test pictures is a Qt plugin.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
