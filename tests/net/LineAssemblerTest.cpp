#include "net/LineAssembler.h"

#include <QByteArrayList>

#include <gtest/gtest.h>

namespace vesk {
namespace {

class LineAssemblerTest : public ::testing::Test
{
protected:
    LineAssemblerTest()
    {
        assembler.setJudge([this](const QByteArray &text) {
            judged << text;
            if (onJudge)
                onJudge(text);
        });
        assembler.setDataMode([this] { return dataMode; });
    }

    LineAssembler assembler { 64, 128 };
    QByteArrayList judged;
    bool dataMode = false;
    std::function<void(const QByteArray &)> onJudge;
};

TEST_F(LineAssemblerTest, OnlyCrLfEndsALineWhereverTheChunksAreCut)
{
    const struct
    {
        QByteArrayList chunks;
        bool dataMode;
        QByteArrayList judged;
        QByteArray pending;
    } rows[] = {
        { { "+OK", "\r\n" }, false, { "+OK" }, "" },
        { { "+OK 2 320\r", "\n" }, false, { "+OK 2 320" }, "" },
        { { "abc\r\ndef" }, false, { "abc" }, "def" },
        { { "abc\n", "def\r", "x\n\r" }, false, {}, "abc\ndef\rx\n\r" },
        { { "a\r\nb\n" }, false, { "a" }, "b\n" },
        { { "\r\na\r\n\r\nb\r\n" }, false, { "", "a", "", "b" }, "" },
        // In data mode a block goes to the judge whole.
        { { "line 1\r\nline 2\r\n.\r\npartial" }, true, { "line 1\r\nline 2\r\n." }, "partial" },
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.chunks.join('|').toStdString());
        LineAssembler fresh(64, 128);
        judged.clear();
        fresh.setJudge([this](const QByteArray &text) { judged << text; });
        fresh.setDataMode([&] { return row.dataMode; });
        for (const QByteArray &chunk : row.chunks)
            fresh.feed(chunk);
        EXPECT_EQ(judged, row.judged);
        EXPECT_EQ(fresh.pending(), row.pending);
    }
}

TEST_F(LineAssemblerTest, LineSwitchingToDataModeSendsTheRestOfTheBlockInOneCallAfterTheMonitor)
{
    onJudge = [this](const QByteArray &text) { dataMode = text.startsWith("+OK 100"); };
    QByteArrayList seen;
    assembler.setMonitor([&](const QByteArray &block) {
        seen << block;
        EXPECT_TRUE(judged.isEmpty());
    });
    assembler.feed("+OK 100 octets\r\nFrom: a\r\nSubject: b\r\n");
    EXPECT_EQ(judged, (QByteArrayList { "+OK 100 octets", "From: a\r\nSubject: b" }));
    EXPECT_EQ(seen, QByteArrayList { "+OK 100 octets\r\nFrom: a\r\nSubject: b" });
}

TEST_F(LineAssemblerTest, EndlessBytesWithoutCrLfAreCutOffAtTheLimitOfTheMode)
{
    int overflows = 0;
    assembler.setOverflowHandler([&] { ++overflows; });
    EXPECT_TRUE(assembler.feed(QByteArray(40, 'x')));
    EXPECT_FALSE(assembler.feed(QByteArray(40, 'x')));
    EXPECT_EQ(overflows, 1);
    EXPECT_TRUE(assembler.pending().isEmpty());
    // A long complete line inside one chunk is no reason to give up.
    EXPECT_TRUE(assembler.feed(QByteArray(200, 'y') + "\r\n"));
    EXPECT_EQ(judged.size(), 1);
    dataMode = true;
    EXPECT_TRUE(assembler.feed(QByteArray(100, 'x')));
    EXPECT_FALSE(assembler.feed(QByteArray(100, 'x')));
}

TEST_F(LineAssemblerTest, TheJudgeMayClearFeedOrDestroyTheAssembler)
{
    onJudge = [this](const QByteArray &text) {
        if (text == "a")
            assembler.feed("d\r\n");
        if (text == "QUIT")
            assembler.clear();
    };
    assembler.feed("a\r\nb\r\nc");
    EXPECT_EQ(judged, (QByteArrayList { "a", "b", "cd" }));
    assembler.feed("QUIT\r\nRETR 1\r\nmore");
    EXPECT_EQ(judged.last(), "QUIT");
    EXPECT_TRUE(assembler.pending().isEmpty());

    auto owned = std::make_unique<LineAssembler>();
    owned->setJudge([&](const QByteArray &) { owned.reset(); });
    EXPECT_FALSE(owned->feed("a\r\nb\r\n"));
}

} // namespace
} // namespace vesk
