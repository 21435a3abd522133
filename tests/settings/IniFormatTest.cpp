#include "settings/IniFormat.h"

#include <gtest/gtest.h>

namespace vesk::test {
namespace {

QString valueOf(const IniDocument &document, const char *section, const QString &name)
{
    const QString *value = document.value(QString::fromUtf8(section), name);
    return value ? *value : QStringLiteral("<missing>");
}

IniDocument roundTrip(const IniDocument &document)
{
    return IniFormat::parse(IniFormat::write(document));
}

} // namespace

TEST(IniFormatTest, HandWrittenFileReadsAsMeant)
{
    const QByteArray text = "\xEF\xBB\xBF; written by hand\r\n"
                            "# another comment\r\n"
                            "\r\n"
                            "  [Config]   ; the main section\r\n"
                            "Host = pop.example.jp \r\n"
                            "\tUserID\t=\tuser@example.jp\r\n"
                            "FontName=ＭＳ Ｐゴシック\r\n"
                            "this line has no equals sign\r\n"
                            "Macro=a;b,c \"d\" e=f\r\n"
                            "Host=pop2.example.jp\r\n"
                            "[Plan]\r\n"
                            "2026/12/06 08:00 00=0 0 会議\r\n";
    const IniDocument document = IniFormat::parse(text);

    EXPECT_EQ(valueOf(document, "Config", "Host"), "pop2.example.jp"); // last one wins
    EXPECT_EQ(valueOf(document, "Config", "UserID"), "user@example.jp");
    EXPECT_EQ(valueOf(document, "Config", "FontName"), "ＭＳ Ｐゴシック");
    EXPECT_EQ(valueOf(document, "Config", "Macro"), "a;b,c \"d\" e=f");
    EXPECT_EQ(valueOf(document, "Plan", "2026/12/06 08:00 00"), "0 0 会議");
    ASSERT_EQ(document.sections().size(), 2);
    // The first place of a repeated name is kept.
    const QList<IniEntry> &entries = document.sections().at(0).entries();
    ASSERT_EQ(entries.size(), 4);
    EXPECT_EQ(entries.at(0).name, "Host");
    EXPECT_EQ(entries.at(3).name, "Macro");
}

TEST(IniFormatTest, ValuesBeforeAnySectionAreIgnored)
{
    const IniDocument document = IniFormat::parse("Host=x\n[Config]\nUserID=y\n");
    ASSERT_EQ(document.sections().size(), 1);
    EXPECT_EQ(document.sections().at(0).entries().size(), 1);
}

TEST(IniFormatTest, NamesAndSectionsMatchWithoutRegardToCase)
{
    const IniDocument document = IniFormat::parse("[config]\nserveron=1\n[CONFIG]\nSERVERON=0\n");
    EXPECT_EQ(valueOf(document, "Config", "ServerON"), "0");
    ASSERT_EQ(document.sections().size(), 1);
    EXPECT_EQ(document.sections().at(0).name(), "config");
    EXPECT_EQ(document.sections().at(0).entries().at(0).name, "serveron");
}

TEST(IniFormatTest, QuotedTextsOfHandWrittenFiles)
{
    const IniDocument document = IniFormat::parse("[Luncher]\n"
                                                  "00=\" \",\"/usr/bin/x y\",\" \"\n"
                                                  "01=\"C:\\Program Files\\x\"\n"
                                                  "02=\"quoted\"\n"
                                                  "\"a = b\" = \" padded \"\n");
    // A launcher row with quoted fields is not one quoted text.
    EXPECT_EQ(valueOf(document, "Luncher", "00"), "\" \",\"/usr/bin/x y\",\" \"");
    // Backslashes that are no escapes keep the text as it stands.
    EXPECT_EQ(valueOf(document, "Luncher", "01"), "\"C:\\Program Files\\x\"");
    EXPECT_EQ(valueOf(document, "Luncher", "02"), "quoted");
    EXPECT_EQ(valueOf(document, "Luncher", "a = b"), " padded ");
}

TEST(IniFormatTest, AwkwardNamesAndValuesRoundTrip)
{
    const QStringList awkward = {
        "",
        "plain",
        "2026/12/06 08:00 00",
        " leading",
        "trailing\t",
        "a=b=c",
        "line\nbreak",
        "cr\rlf\r\n",
        "[looks like a section]",
        ";comment",
        "#comment",
        "\"quoted\"",
        "\"",
        "\"\\\"",
        "back\\slash\\n",
        "全角　スペース　",
        "値;は,\"色々\"",
        QString(QChar(0)) + "nul",
    };
    IniDocument document;
    for (const QString &name : awkward) {
        for (const QString &value : awkward)
            document.setValue("Plan", name + "|" + value, value);
        document.setValue("Temp", name, "x");
    }
    const IniDocument back = roundTrip(document);
    EXPECT_EQ(back, document);
    for (const QString &value : awkward)
        EXPECT_EQ(valueOf(back, "Plan", "2026/12/06 08:00 00|" + value), value);
}

TEST(IniFormatTest, PlainValuesAreWrittenWithoutQuotes)
{
    IniDocument document;
    document.setValue("Config", "Mailer", "\"/opt/my mailer/run\" -x");
    document.setValue("Plan", "2026/12/06 08:00 00", "0 0 a=b; c");
    document.ensureSection("Pelma");
    EXPECT_EQ(IniFormat::write(document),
        QByteArray("[Config]\n"
                   "Mailer=\"/opt/my mailer/run\" -x\n"
                   "\n"
                   "[Plan]\n"
                   "2026/12/06 08:00 00=0 0 a=b; c\n"
                   "\n"
                   "[Pelma]\n"));
}

TEST(IniFormatTest, SectionNamesAFileCannotHoldAreRefused)
{
    EXPECT_TRUE(IniFormat::isValidSectionName("Config"));
    EXPECT_FALSE(IniFormat::isValidSectionName("a]b"));
    EXPECT_FALSE(IniFormat::isValidSectionName("a\nb"));
    EXPECT_FALSE(IniFormat::isValidSectionName(" Config"));
}

} // namespace vesk::test
