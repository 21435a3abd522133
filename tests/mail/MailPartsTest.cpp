#include "mail/MailText.h"
#include "mail/ProtocolMonitor.h"
#include "mail/TMD5.h"
#include "support/Printers.h"

#include <QStringList>

#include <gtest/gtest.h>

namespace vesk::test {

TEST(TMD5, UpperCaseHexDigestAndTheApopExampleOfTheProtocol)
{
    EXPECT_EQ(TMD5::hexDigest(""), "D41D8CD98F00B204E9800998ECF8427E");
    EXPECT_EQ(TMD5::hexDigest("abc"), "900150983CD24FB0D6963F7D28E17F72");
    EXPECT_EQ(TMD5::apopDigest("<1896.697170952@dbc.mtview.ca.us>", "tanstaaf"),
        "c4c9334bac560ecc979e58001b3e22fb");
}

TEST(ProtocolMonitor, ThePasswordNeverShowsWhateverTheCaseOfThePassCommand)
{
    QStringList lines;
    ProtocolMonitor monitor;
    monitor.attach([&](const QString &line) { lines << line; });
    monitor.setPassword(QStringLiteral("Secret1"));
    for (const char *line : { "PASS Secret1", "<pass secret1 and more  ", "USER taro  " })
        monitor.debug(QString::fromLatin1(line));
    EXPECT_EQ(lines, (QStringList { "PASS *******", "<pass *******", "USER taro" }));
}

TEST(ExtractName, GivesTheBareAddress)
{
    const std::pair<const char *, const char *> rows[] = { { "FROM:<taro@example.jp>", "taro@example.jp" },
        { "from: <taro@example.jp> SIZE=100", "taro@example.jp" },
        { "From: \"Taro\" <taro@example.jp>", "taro@example.jp" },
        { "TO: hanako@example.jp ", "hanako@example.jp" }, { "FROM:<>", "" }, { "", "" } };
    for (const auto &[line, address] : rows)
        EXPECT_EQ(ExtractName(line), address) << line;
}

TEST(GreetingHostName, CutsAtTheAtSignAndFallsBack)
{
    EXPECT_EQ(GreetingHostName(" myhost "), "myhost");
    EXPECT_EQ(GreetingHostName("user@host"), "user");
    EXPECT_EQ(GreetingHostName("@host"), "tempolary");
    EXPECT_EQ(GreetingHostName(""), "tempolary");
}

} // namespace vesk::test
