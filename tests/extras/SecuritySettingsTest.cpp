#include "extras/SettingsDialogModel.h"
#include "settings/MemorySettingsStore.h"
#include "settings/PasswordCodec.h"
#include "support/NoDialUpEntries.h"
#include "support/RecordingMessenger.h"

#include <gtest/gtest.h>

namespace vesk::test {
namespace {

class SecuritySettingsTest : public ::testing::Test
{
protected:
    MemorySettingsStore store;
    RecordingMessenger messenger;
    NoDialUpEntries dialUp;
    SettingsDialogModel model { messenger, dialUp };
};

TEST_F(SecuritySettingsTest, APortFollowsItsEncryptionOnlyFromADefault)
{
    model.load(store);
    EXPECT_EQ(model.number(u"cmbPop3Security"), 0);
    const struct
    {
        const char *security;
        const char *port;
        int choice;
        int expected;
    } steps[] = {
        { "cmbPop3Security", "spePop3Port", 2, 995 },
        { "cmbPop3Security", "spePop3Port", 1, 110 },
        { "cmbSmtpSecurity", "speSmtpPort", 1, 587 },
        { "cmbSmtpSecurity", "speSmtpPort", 2, 465 },
        { "cmbSmtpSecurity", "speSmtpPort", 0, 25 },
    };
    for (const auto &step : steps) {
        model.setNumber(QString::fromLatin1(step.security), step.choice);
        EXPECT_EQ(model.number(QString::fromLatin1(step.port)), step.expected) << step.security << step.choice;
    }
    model.setNumber(u"spePop3Port", 10995);
    model.setNumber(u"cmbPop3Security", 2);
    EXPECT_EQ(model.number(u"spePop3Port"), 10995);
}

TEST_F(SecuritySettingsTest, TheSmtpLoginIsSavedWithItsPasswordEncoded)
{
    model.load(store);
    model.setNumber(u"cmbSmtpAuth", 4);
    model.setText(u"edtSmtpUserID", QStringLiteral("jiro"));
    model.setSmtpPassword(QStringLiteral("smtp-pass"));
    ASSERT_EQ(model.save(store, QStringLiteral("/tmp")), SettingsDialogModel::SaveResult::Saved);
    EXPECT_EQ(store.readString("Config", "SMTP_Password"), PasswordCodec::encode(QStringLiteral("smtp-pass")));
    EXPECT_EQ(store.readInteger("Config", "SMTP_Auth", 0), 4);
    SettingsDialogModel again(messenger, dialUp);
    again.load(store);
    EXPECT_EQ(again.smtpPassword(), QStringLiteral("smtp-pass"));
    again.setChecked(u"ckbMailRound", true);
    EXPECT_TRUE(again.usable(u"edtSmtpPassword"));
    again.setNumber(u"cmbSmtpAuth", 0);
    EXPECT_FALSE(again.usable(u"edtSmtpPassword"));
}

} // namespace
} // namespace vesk::test
