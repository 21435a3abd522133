#include "launcher/LauncherTable.h"
#include "launcher/LauncherSheet.h"
#include "launcher/LuncherText.h"
#include "launcher/ShortCut.h"
#include "settings/MemorySettingsStore.h"

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
        QStringList({ "[4]番目の合計文字数が長すぎます。短くしてください",
            "[5]番目の合計文字数が長すぎます。短くしてください" }));
    const QStringList lines = store.readSection("Luncher");
    ASSERT_EQ(lines.size(), 3);
    EXPECT_EQ(lines.at(0), "00=new,\" \",\" \",\" \",\" \",\" \",\" \"");
    // Blanks, commas and quotes of a name become full-width.
    EXPECT_EQ(LauncherTable::fromLines(lines).entry(1)->caption, "My，　”mail”");
    EXPECT_EQ(lines.at(2), "02=x,/bin/true,\" \",\" \",\" \",\" \",\" \"");
}

} // namespace vesk::test
