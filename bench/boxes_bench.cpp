// The box window's lists against `vesk --list` on the same 10,000-message
// box: `vesk --list` reads every header; the list shows the names at once,
// reads the headers of the rows on screen, and reads the rest only to sort.
#include "boxes/BoxListCommand.h"
#include "boxes/BoxListModel.h"
#include "store/MessageStore.h"
#include "store/japanese/JCode.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTextStream>

#include <benchmark/benchmark.h>
#include <random>

namespace {

constexpr int kMessages = 10000;
constexpr int kScreenRows = 30;

QByteArray word(const QByteArray &jis)
{
    return "=?ISO-2022-JP?B?" + jis.toBase64() + "?=";
}

// A JIS kana or level-1 kanji string of `n` characters.
QByteArray jisText(std::mt19937 &rng, int n)
{
    QByteArray text = "\x1b$B";
    for (int i = 0; i < n; ++i) {
        if (rng() % 2) {
            text += char(0x24);
            text += char(0x21 + rng() % 0x53);
        } else {
            text += char(0x30 + rng() % 0x1F);
            text += char(0x21 + rng() % 0x5E);
        }
    }
    return text + "\x1b(B";
}

// A box of messages of about 3 KB each: a realistic header and a JIS body.
class TestBox
{
public:
    TestBox()
        : m_store(m_dir.path())
    {
        QDir().mkpath(m_store.folderPath(vesk::Box::InBox));
        std::mt19937 rng(15);
        for (int i = 0; i < kMessages; ++i) {
            QByteArray message;
            for (int r = 0; r < 4; ++r)
                message += "Received: from mx" + QByteArray::number(r)
                    + ".example.jp (mx.example.jp [192.0.2." + QByteArray::number(r)
                    + "])\r\n\tby mail.example.jp with ESMTP id ABCDEF" + QByteArray::number(i)
                    + "\r\n\tfor <you@example.jp>; Sat, 5 Dec 2026 20:33:10 +0900\r\n";
            message
                += "From: " + word(jisText(rng, 4)) + " <sender" + QByteArray::number(i) + "@example.jp>\r\n";
            message += "To: " + word(jisText(rng, 4)) + " <you@example.jp>\r\n";
            message += "Subject: " + word(jisText(rng, 12)) + "\r\n " + word(jisText(rng, 12)) + "\r\n";
            message += "Date: Sat, 5 Dec 2026 20:33:10 +0900\r\nMessage-ID: <" + QByteArray::number(i)
                + "@example.jp>\r\nMIME-Version: 1.0\r\n";
            message
                += "Content-Type: text/plain; charset=ISO-2022-JP\r\nContent-Transfer-Encoding: 7bit\r\n\r\n";
            for (int line = 0; line < 30; ++line)
                message += jisText(rng, 30) + "\r\n";
            QFile file(m_store.filePath(
                vesk::Box::InBox, QStringLiteral("20261205%1%2.ID").arg(i, 9, 10, QLatin1Char('0')).arg(0)));
            if (file.open(QIODevice::WriteOnly))
                file.write(message);
        }
    }
    const vesk::MessageStore &store() const { return m_store; }
    QString root() const { return m_dir.path(); }

private:
    QTemporaryDir m_dir;
    vesk::MessageStore m_store;
};

TestBox &box()
{
    static TestBox testBox;
    return testBox;
}

// What the rows on screen show: their five cells.
void drawScreen(const vesk::BoxListModel &list, int top)
{
    for (int row = top; row < top + kScreenRows && row < list.rowCount(); ++row) {
        for (int column = 1; column < vesk::BoxListModel::ColumnCount; ++column)
            benchmark::DoNotOptimize(list.data(list.index(row, column)));
    }
}

// Baseline: `vesk --list InBox`, every header read and printed.
void BM_VeskList_InBox(benchmark::State &state)
{
    box(); // made before the clock runs
    for (auto _ : state) {
        QString out;
        QString err;
        QTextStream outStream(&out);
        QTextStream errStream(&err);
        if (vesk::runListCommand(box().root(), { QStringLiteral("InBox") }, outStream, errStream) != 0) {
            state.SkipWithError("vesk --list failed");
            return;
        }
        outStream.flush();
        benchmark::DoNotOptimize(out.data());
    }
    state.SetItemsProcessed(state.iterations() * kMessages);
}
BENCHMARK(BM_VeskList_InBox)->Unit(benchmark::kMillisecond);

// Opening the window: the names listed, the first screen of rows drawn.
void BM_BoxList_OpenFirstScreen(benchmark::State &state)
{
    for (auto _ : state) {
        vesk::BoxListModel list(box().store(), vesk::Grid::Receive);
        list.refill();
        drawScreen(list, 0);
        if (list.messageCount() != kMessages) {
            state.SkipWithError("the box was not listed");
            return;
        }
    }
}
BENCHMARK(BM_BoxList_OpenFirstScreen)->Unit(benchmark::kMillisecond);

// Scrolling one screen further into rows not read yet.
void BM_BoxList_ScrollOneScreen(benchmark::State &state)
{
    auto list = std::make_unique<vesk::BoxListModel>(box().store(), vesk::Grid::Receive);
    list->refill();
    int top = 0;
    for (auto _ : state) {
        top += kScreenRows;
        // At the end every row has been read: a fresh list, so that each
        // screen is one of rows not read yet.
        if (top + kScreenRows > kMessages) {
            state.PauseTiming();
            list = std::make_unique<vesk::BoxListModel>(box().store(), vesk::Grid::Receive);
            list->refill();
            top = kScreenRows;
            state.ResumeTiming();
        }
        drawScreen(*list, top);
    }
}
BENCHMARK(BM_BoxList_ScrollOneScreen)->Unit(benchmark::kMicrosecond);

// One slice of the background reading between two events of the loop.
void BM_BoxList_BackgroundSlice(benchmark::State &state)
{
    auto list = std::make_unique<vesk::BoxListModel>(box().store(), vesk::Grid::Receive);
    list->refill();
    for (auto _ : state) {
        if (!list->readSome(64)) {
            state.PauseTiming();
            list = std::make_unique<vesk::BoxListModel>(box().store(), vesk::Grid::Receive);
            list->refill();
            state.ResumeTiming();
        }
    }
}
BENCHMARK(BM_BoxList_BackgroundSlice)->Unit(benchmark::kMicrosecond);

// Sorting by subject at once after opening: every header read, then sorted.
void BM_BoxList_OpenAndSortBySubject(benchmark::State &state)
{
    for (auto _ : state) {
        vesk::BoxListModel list(box().store(), vesk::Grid::Receive);
        list.refill();
        list.sort(4);
        drawScreen(list, 0);
    }
}
BENCHMARK(BM_BoxList_OpenAndSortBySubject)->Unit(benchmark::kMillisecond);

// Sorting once the background reading is done (by sender, then by subject).
void BM_BoxList_SortReadList(benchmark::State &state)
{
    vesk::BoxListModel list(box().store(), vesk::Grid::Receive);
    list.refill();
    list.readAll();
    int column = 1;
    for (auto _ : state) {
        list.sort(column);
        column = column == 1 ? 4 : 1;
        drawScreen(list, 0);
    }
}
BENCHMARK(BM_BoxList_SortReadList)->Unit(benchmark::kMillisecond);

// Opening the window again: the known headers are not read again.
void BM_BoxList_RefillReadList(benchmark::State &state)
{
    vesk::BoxListModel list(box().store(), vesk::Grid::Receive);
    list.refill();
    list.readAll();
    for (auto _ : state) {
        list.refill();
        drawScreen(list, 0);
    }
}
BENCHMARK(BM_BoxList_RefillReadList)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
