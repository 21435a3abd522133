#include "RecordingExecutor.h"

#include "launcher/LauncherSheet.h"
#include "launcher/LauncherTable.h"
#include "launcher/LuncherText.h"
#include "launcher/MacroCompiler.h"
#include "launcher/MacroRunner.h"
#include "launcher/ShortCut.h"
#include "support/MemorySettingsStore.h"

#include <gtest/gtest.h>

namespace vesk::test {

TEST(LuncherText, FieldsComeBackAsTheyWereStored)
{
    const QStringList rows[] = {
        { "Mail", "/usr/bin/sylpheed", " ", " ", "ENT", " ", "Ctrl+Alt+E" },
        { "メール", "/opt/My Mailer/run", "--profile \"a b\"", "/tmp", "CPY(x,y)", "F9", " " },
        { "tab\there", "quote\"", "\"\"", ",", ",,", "a  b", "" },
    };
    for (const QStringList &fields : rows)
        EXPECT_EQ(luncher::splitCommaText(luncher::commaText(fields)), fields)
            << luncher::commaText(fields).toStdString();
}

TEST(LuncherText, HandWrittenTextSplitsAsTheProgramReadsIt)
{
    const std::pair<const char *, QStringList> cases[] = {
        { "a,,b", { "a", "", "b" } },
        { "  a b ,c", { "a", "b", "c" } },
        { "\"x\"\"y\",z", { "x\"y", "z" } },
        { "\"ab\"cd,e", { "ab", "cd", "e" } },
        { "\"open", { "open" } },
        { "a,", { "a" } },
        { "", {} },
    };
    for (const auto &[text, fields] : cases)
        EXPECT_EQ(luncher::splitCommaText(QString::fromUtf8(text)), fields) << text;
}

TEST(LauncherTable, EntriesTheirHotKeysAndTheFunctionKeysTheyTake)
{
    const LauncherTable table = LauncherTable::fromLines({
        "00=Mail,/usr/bin/mailer,\" \",\" \",ENT,F9,\" \"",
        "01=Edit,/usr/bin/editor,-n,/tmp,\" \",Ctrl+F10,Ctrl+Alt+E",
        "02=\"SelfMenu　x\",\" \",\" \",\" \",\" \",\" \",F3",
        "03=withvesk,/bin/true" + QString(300, u' ') + ",,,,,F5",
    });
    ASSERT_EQ(table.count(), 4);
    const LauncherEntry &mail = *table.entry(0);
    EXPECT_EQ(mail.folder, "/usr/bin");
    EXPECT_EQ(mail.switches, "");
    EXPECT_EQ(mail.shortCut, "F9");
    EXPECT_FALSE(mail.hasHotKey());
    // Ctrl+Alt+E: 3 x 1000 + 69; the hot key is also the menu's short cut.
    const LauncherEntry &edit = *table.entry(1);
    EXPECT_EQ(edit.hotKeyId, 3069);
    EXPECT_EQ(edit.shortCut, "Ctrl+Alt+E");
    EXPECT_EQ(edit.folder, "/tmp");
    EXPECT_TRUE(table.entry(2)->selfMenu);
    EXPECT_EQ(table.entry(2)->hotKeyId, 114);
    // The data ends at 200 characters: the far hot key is not read.
    EXPECT_TRUE(table.entry(3)->withVesk);
    EXPECT_FALSE(table.entry(3)->hasHotKey());
    // F9 by the short cut, F3 by the hot key; Ctrl+F10 takes nothing.
    EXPECT_EQ(table.takenFunctionKeys(), (QList<int> { 9, 3 }));
    EXPECT_EQ(table.indexOf("SelfMenu x"), 2);
}

TEST(LauncherTable, ShortCutTextsReadAndWrite)
{
    const std::pair<const char *, const char *> cases[] = {
        { "Ctrl+Alt+E", "Ctrl+Alt+E" },
        { "alt+ctrl+e", "Ctrl+Alt+E" },
        { "Shift+Ctrl+PgDn", "Shift+Ctrl+PgDn" },
        { "F12", "F12" },
        { "Alt+BkSp", "Alt+BkSp" },
        { "Ctrl++", "" },
        { "Ctrl+", "" },
    };
    for (const auto &[text, written] : cases) {
        const std::optional<ShortCut> cut = ShortCut::fromText(QString::fromLatin1(text));
        EXPECT_EQ(cut ? cut->text().toStdString() : std::string(), written) << text;
    }
    EXPECT_EQ(ShortCut::fromText("Shift+Ctrl+PgDn")->portableText(), "Ctrl+Shift+PgDown");
}

TEST(LauncherSheet, SavingKeepsNamedRowsAndRefusesTooLongOnes)
{
    MemorySettingsStore store;
    for (int i = 0; i < 5; ++i)
        store.writeString("Luncher", QStringLiteral("%1").arg(i, 2, 10, QLatin1Char('0')), "x,/bin/true");
    LauncherSheet sheet = LauncherSheet::fromLines(store.readSection("Luncher"));
    EXPECT_EQ(sheet.rowCount(), 10);
    sheet.setRowCount(6);
    sheet.setCell(0, LauncherSheet::Name, "My, \"mail\"");
    sheet.eraseRow(1);
    sheet.setCell(2, LauncherSheet::Macro, QString(128, u'a'));
    sheet.setCell(3, LauncherSheet::Switches, QString(190, u'b'));
    sheet.moveRow(5, 0);
    sheet.setCell(0, LauncherSheet::Name, "new");

    const LauncherSheet::SaveResult result = sheet.save(store);
    EXPECT_EQ(result.refusals,
        QStringList({ "[1]番目には起動するソフトもマクロもありません。どちらかを指定してください",
            "[4]番目の合計文字数が長すぎます。短くしてください",
            "[5]番目の合計文字数が長すぎます。短くしてください" }));
    const QStringList lines = store.readSection("Luncher");
    ASSERT_EQ(lines.size(), 2);
    // Blanks, commas and quotes of a name become full-width.
    EXPECT_EQ(LauncherTable::fromLines(lines).entry(0)->caption, "My，　”mail”");
    EXPECT_EQ(lines.at(1), "01=x,/bin/true,\" \",\" \",\" \",\" \",\" \"");
}

namespace {

struct MacroCase
{
    const char *macro;
    const char *typed;
    bool capsLock = false;
    int modifiersHeldFor = 0;
    int enterAfter = 1 << 30;
};

} // namespace

// What each macro types, key by key, with its waits (w = units of 10 ms).
TEST(Macro, TypesKeysInTheirOrderWithTheirWaits)
{
    const MacroCase cases[] = {
        { "ENT", "+Enter -Enter w1" },
        { "TAB[3]", "+Tab w20 -Tab w10 +Tab w20 -Tab w10 +Tab w20 -Tab w10" },
        { "CTL+ALT+DEL", "+Ctrl +Alt +Del -Ctrl -Alt -Del w1" },
        { "abc,ENT", "+a -a w1 +b -b w1 +c -c w2 +Enter -Enter w1" },
        // Caps Lock off: Shift only around the capital; on: around the small letters.
        { "Hello", "+Shift +H -H -Shift w1 +e -e w1 +l -l w1 +l -l w1 +o -o w2" },
        { "Hello",
            "+H -H w1 +Shift +e -e -Shift w1 +Shift +l -l -Shift w1 +Shift +l -l -Shift w1 +Shift +o -o "
            "-Shift w2",
            true },
        { "a!1", "+a -a w1 +Shift +! -! -Shift w1 +1 -1 w2" },
        // Keys joined by "+" decide alone: no Shift for the capital.
        { "CTL+S", "+Ctrl +S -S w1 -Ctrl w1" },
        { "ctl+s", "+Ctrl +s -s w1 -Ctrl w1" },
        // Without "+", a token's letters are text.
        { "SHTX",
            "+Shift +S -S -Shift w1 +Shift +H -H -Shift w1 +Shift +T -T -Shift w1 +Shift +X -X -Shift w2" },
        { "TIMER(30)", "w300" },
        { "TIMER(x)", "msg:TIMER(x) はマクロで使えません beep" },
        { "TIMER(0),ENT", "msg:TIMER(0) はマクロで使えません beep +Enter -Enter w1" },
        { "TIMER(-5)", "" },
        { "CPY(abc),PST", "copy:abc paste" },
        { "SCLOSE,BEEP", "sclose beep" },
        { "CMM", "+, -, w1" },
        { "MBL", "+MBL -MBL w1" },
        { "ENT,,ENT", "+Enter -Enter w1 +Enter -Enter w1" },
        { "ENT[0]", "" },
        { "[x]ENT", "+Enter -Enter w1" },
        // The layout lacks it: no Shift, its own key.
        { "日本", "+日 -日 w1 +本 -本 w2" },
        // A hot key's Ctrl and Alt are let go first; held on, the step is dropped.
        { "ENT", "w3 +Enter -Enter w1", false, 3 },
        { "ENT,TAB", "w1000", false, 100000 },
        // Absurd counts and waits are refused, not run for hours.
        { "ENT[1000]", "msg:ENT[1000] はマクロで使えません beep" },
        { "TIMER(99999)", "msg:TIMER(99999) はマクロで使えません beep" },
        // WAITENT waits for Enter, at most about a minute.
        { "WAITENT,a", "beep w42 +a -a w2", false, 0, 42 },
        { "WAITENT", "beep w6000" },
    };
    for (const MacroCase &c : cases) {
        RecordingExecutor executor;
        executor.capsLock = c.capsLock;
        executor.modifiersHeldFor = c.modifiersHeldFor;
        executor.enterAfter = c.enterAfter;
        EXPECT_TRUE(MacroRunner(executor).run(macro::compile(QString::fromUtf8(c.macro))));
        EXPECT_EQ(executor.log().toStdString(), c.typed) << c.macro << (c.capsLock ? " (Caps Lock)" : "");
    }
}

} // namespace vesk::test
