#include "net/LineAssembler.h"

#include <QByteArrayList>

#include <gtest/gtest.h>

namespace vesk {
namespace {

class LineAssemblerTest : public ::testing::Test
{
protected:
    LineAssemblerTest()
        : assembler(64, 128)
    {
        assembler.setJudge([this](const QByteArray &text) {
            judged << text;
            if (onJudge)
                onJudge(text);
        });
        assembler.setDataMode([this] { return dataMode; });
    }

    LineAssembler assembler;
    QByteArrayList judged;
    bool dataMode = false;
    std::function<void(const QByteArray &)> onJudge;
};

TEST_F(LineAssemblerTest, ReplySplitBeforeItsCrLfIsJudgedOnceWhenComplete)
{
    assembler.feed("+OK");
    EXPECT_TRUE(judged.isEmpty());
    assembler.feed("\r\n");
    EXPECT_EQ(judged, QByteArrayList { "+OK" });
}

TEST_F(LineAssemblerTest, CrLfSplitAcrossChunksEndsTheLine)
{
    assembler.feed("+OK 2 320\r");
    EXPECT_TRUE(judged.isEmpty());
    assembler.feed("\n");
    EXPECT_EQ(judged, QByteArrayList { "+OK 2 320" });
    EXPECT_TRUE(assembler.pending().isEmpty());
}

TEST_F(LineAssemblerTest, BytesAfterTheLastCrLfWaitForALaterChunk)
{
    assembler.feed("abc\r\ndef");
    EXPECT_EQ(judged, QByteArrayList { "abc" });
    EXPECT_EQ(assembler.pending(), QByteArray("def"));
    assembler.feed("\r\n");
    EXPECT_EQ(judged, (QByteArrayList { "abc", "def" }));
}

TEST_F(LineAssemblerTest, LoneLfOrCrNeverEndsALine)
{
    assembler.feed("abc\n");
    assembler.feed("def\r");
    assembler.feed("x\n\r");
    EXPECT_TRUE(judged.isEmpty());
    assembler.feed("\n");
    EXPECT_EQ(judged, QByteArrayList { "abc\ndef\rx\n" });
}

TEST_F(LineAssemblerTest, CompleteLinesBeforeATrailingLoneLfAreJudged)
{
    assembler.feed("a\r\nb\n");
    EXPECT_EQ(judged, QByteArrayList { "a" });
    EXPECT_EQ(assembler.pending(), QByteArray("b\n"));
}

TEST_F(LineAssemblerTest, EmptyLinesAreHandedOverAsEmptyStrings)
{
    assembler.feed("\r\na\r\n\r\nb\r\n");
    EXPECT_EQ(judged, (QByteArrayList { "", "a", "", "b" }));
}

TEST_F(LineAssemblerTest, DataModeBlockGoesToTheJudgeWhole)
{
    dataMode = true;
    assembler.feed("line 1\r\nline 2\r\n.\r\npartial");
    EXPECT_EQ(judged, QByteArrayList { "line 1\r\nline 2\r\n." });
    EXPECT_EQ(assembler.pending(), QByteArray("partial"));
}

TEST_F(LineAssemblerTest, LineSwitchingToDataModeSendsTheRestOfTheBlockInOneCall)
{
    onJudge = [this](const QByteArray &text) {
        if (text.startsWith("+OK 100"))
            dataMode = true;
    };
    assembler.feed("+OK 100 octets\r\nFrom: a\r\nSubject: b\r\n");
    EXPECT_EQ(judged, (QByteArrayList { "+OK 100 octets", "From: a\r\nSubject: b" }));
}

TEST_F(LineAssemblerTest, MonitorSeesEachBlockBeforeItIsJudged)
{
    QByteArrayList seen;
    assembler.setMonitor([&](const QByteArray &block) {
        seen << block;
        EXPECT_TRUE(judged.isEmpty() || judged.size() == 2);
    });
    assembler.feed("a\r\nb\r\nc");
    assembler.feed("\r\n");
    EXPECT_EQ(seen, (QByteArrayList { "a\r\nb", "c" }));
}

TEST_F(LineAssemblerTest, EndlessBytesWithoutCrLfAreCutOffAtTheLimit)
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
}

TEST_F(LineAssemblerTest, DataModeAllowsLongerUnfinishedLines)
{
    dataMode = true;
    EXPECT_TRUE(assembler.feed(QByteArray(100, 'x')));
    EXPECT_FALSE(assembler.feed(QByteArray(100, 'x')));
}

TEST_F(LineAssemblerTest, ClearInsideTheJudgeDropsTheRestOfTheBlock)
{
    onJudge = [this](const QByteArray &text) {
        if (text == "QUIT")
            assembler.clear();
    };
    assembler.feed("NOOP\r\nQUIT\r\nRETR 1\r\nmore");
    EXPECT_EQ(judged, (QByteArrayList { "NOOP", "QUIT" }));
    EXPECT_TRUE(assembler.pending().isEmpty());
}

TEST_F(LineAssemblerTest, BytesFedFromInsideTheJudgeFollowInOrder)
{
    onJudge = [this](const QByteArray &text) {
        if (text == "a")
            assembler.feed("d\r\n");
    };
    assembler.feed("a\r\nb\r\nc");
    EXPECT_EQ(judged, (QByteArrayList { "a", "b", "cd" }));
}

TEST_F(LineAssemblerTest, JudgeMayDestroyTheAssembler)
{
    auto owned = std::make_unique<LineAssembler>();
    QByteArrayList lines;
    owned->setJudge([&](const QByteArray &text) {
        lines << text;
        owned.reset();
    });
    EXPECT_FALSE(owned->feed("a\r\nb\r\n"));
    EXPECT_EQ(lines, QByteArrayList { "a" });
}

} // namespace
} // namespace vesk
