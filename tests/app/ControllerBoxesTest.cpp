#include "ControllerFixture.h"

#include "store/rules/RuleStorage.h"

namespace vesk::test {
namespace {

using namespace Qt::StringLiterals;

TEST_F(ControllerTest, RuleFromAMessageIsStoredAndTakesEffectAtOnce)
{
    settings.writeInteger("Config", "DevideON", 1);
    settings.writeInteger("Config", "MailRound", 1);
    Controller &c = make();
    QList<Settings> changes;
    QObject::connect(&c, &Controller::settingsChanged, [&](const Settings &s) { changes << s; });

    m_messenger.answer = Messenger::Answer::No;
    c.offerRule(3, u"hanako@example.jp"_s);
    EXPECT_TRUE(rulestorage::load(settings).isEmpty());

    m_messenger.answer = Messenger::Answer::Yes;
    c.offerRule(3, u"hanako@example.jp"_s);
    EXPECT_EQ(rulestorage::load(settings).list(3), QStringList { u"hanako@example.jp"_s });
    ASSERT_EQ(changes.size(), 1);
    EXPECT_EQ(changes[0].DevideList[2], QStringList { u"hanako@example.jp"_s });

    // The other mailer's list refuses the same rule.
    c.offerRule(4, u"HANAKO@example.jp"_s);
    EXPECT_EQ(m_messenger.messages.last(), u"相手の設定に既にあります"_s);
    EXPECT_TRUE(rulestorage::load(settings).list(4).isEmpty());

    // The send mode the box window sets reaches the engines, unstored.
    c.setSendHeld(true);
    ASSERT_EQ(changes.size(), 2);
    EXPECT_TRUE(changes[1].ManuSend);
    EXPECT_FALSE(settings.readBool("Config", "ManuSend", false));
}

} // namespace
} // namespace vesk::test
