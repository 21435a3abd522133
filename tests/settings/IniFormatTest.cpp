#include "settings/IniFormat.h"
#include "support/Printers.h"

#include <gtest/gtest.h>

namespace vesk::test {
namespace {

QString valueOf(const IniDocument &document, const char *section, const QString &name)
{
    const QString *value = document.value(QString::fromUtf8(section), name);
    return value ? *value : QStringLiteral("<missing>");
}

TEST(IniFormatTest, HandWrittenFileReadsAsMeant)
{
    const IniDocument document
        = IniFormat::parse("\xEF\xBB\xBF; written by hand\r\n# another comment\r\n"
                           "Early=before any section\r\n\r\n"
                           "  [Config]   ; the main section\r\nHost = pop.example.jp \r\n"
                           "\tUserID\t=\tuser@example.jp\r\nFontName=ＭＳ Ｐゴシック\r\n"
                           "this line has no equals sign\r\nMacro=a;b,c \"d\" e=f\r\n"
                           "Host=pop2.example.jp\r\n[Plan]\r\n2026/12/06 08:00 00=0 0 会議\r\n"
                           "[config]\r\nuserid=again\r\n");
    EXPECT_EQ(valueOf(document, "Config", "Host"), "pop2.example.jp"); // the last one wins
    EXPECT_EQ(valueOf(document, "Config", "UserID"), "again"); // names and sections in any case
    EXPECT_EQ(valueOf(document, "Config", "FontName"), "ＭＳ Ｐゴシック");
    EXPECT_EQ(valueOf(document, "Config", "Macro"), "a;b,c \"d\" e=f");
    EXPECT_EQ(valueOf(document, "Plan", "2026/12/06 08:00 00"), "0 0 会議");
    ASSERT_EQ(document.sections().size(), 2);
    // The first place and spelling of a repeated name are kept.
    const QList<IniEntry> &entries = document.sections().at(0).entries();
    ASSERT_EQ(entries.size(), 4);
    EXPECT_EQ(entries.at(1).name, "UserID");
    EXPECT_EQ(entries.at(3).name, "Macro");
}

TEST(IniFormatTest, QuotedTextsOfHandWrittenFiles)
{
    const IniDocument document = IniFormat::parse("[Luncher]\n00=\" \",\"/usr/bin/x y\",\" \"\n"
                                                  "01=\"C:\\Program Files\\x\"\n02=\"quoted\"\n"
                                                  "\"a = b\" = \" padded \"\n");
    // A launcher row with quoted fields is not one quoted text.
    EXPECT_EQ(valueOf(document, "Luncher", "00"), "\" \",\"/usr/bin/x y\",\" \"");
    // Backslashes that are no escapes keep the text as it stands.
    EXPECT_EQ(valueOf(document, "Luncher", "01"), "\"C:\\Program Files\\x\"");
    EXPECT_EQ(valueOf(document, "Luncher", "02"), "quoted");
    EXPECT_EQ(valueOf(document, "Luncher", "a = b"), " padded ");
}

TEST(IniFormatTest, AwkwardNamesAndValuesRoundTripAndPlainOnesAreWrittenWithoutQuotes)
{
    const QStringList awkward = { "", "plain", "2026/12/06 08:00 00", " leading", "trailing\t", "a=b=c",
        "line\nbreak", "cr\rlf\r\n", "[looks like a section]", ";comment", "#comment", "\"quoted\"", "\"",
        "\"\\\"", "back\\slash\\n", "全角　スペース　", "値;は,\"色々\"", QString(QChar(0)) + "nul" };
    IniDocument document;
    for (const QString &name : awkward) {
        for (const QString &value : awkward)
            document.setValue("Plan", name + "|" + value, value);
    }
    EXPECT_EQ(IniFormat::parse(IniFormat::write(document)), document);

    IniDocument plain;
    plain.setValue("Config", "Mailer", "\"/opt/my mailer/run\" -x");
    plain.setValue("Plan", "2026/12/06 08:00 00", "0 0 a=b; c");
    plain.ensureSection("Pelma");
    EXPECT_EQ(IniFormat::write(plain),
        "[Config]\nMailer=\"/opt/my mailer/run\" -x\n\n[Plan]\n2026/12/06 08:00 00=0 0 a=b; c\n\n[Pelma]\n");
}

TEST(IniFormatTest, SectionNamesAFileCannotHoldAreRefused)
{
    EXPECT_TRUE(IniFormat::isValidSectionName("Config"));
    for (const char *name : { "a]b", "a\nb", " Config" })
        EXPECT_FALSE(IniFormat::isValidSectionName(name)) << name;
}

} // namespace
} // namespace vesk::test
