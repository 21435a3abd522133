#include "settings/MemorySettingsStore.h"
#include "settings/PortDialogModel.h"

#include <gtest/gtest.h>

namespace vesk::test {

TEST(PortDialogModelTest, ShowsStoredPortsWithTheirDefaults)
{
    MemorySettingsStore store;
    store.writeString("Config", "POP3_VeskMailer2", "11000");
    store.writeString("Config", "SMTP_VeskMailer1", "junk");
    PortDialogModel model;
    model.load(store);
    EXPECT_EQ(model.texts(), QStringList({ "25", "25", "250", "110", "110", "11000" }));
}

TEST(PortDialogModelTest, NonNumbersBecomeTheFieldsDefault)
{
    MemorySettingsStore store;
    PortDialogModel model;
    model.setText(0, "2525");
    model.setText(1, "abc");
    model.setText(2, " 2500 ");
    model.setText(3, "");
    model.setText(4, "70000");
    model.setText(5, "0");
    ASSERT_TRUE(model.accept(store));
    EXPECT_EQ(store.saveCount(), 1);
    EXPECT_EQ(store.readString("Config", "SMTP_ServerVesk"), "2525");
    EXPECT_EQ(store.readString("Config", "SMTP_VeskMailer1"), "25");
    EXPECT_EQ(store.readString("Config", "SMTP_VeskMailer2"), "2500");
    EXPECT_EQ(store.readString("Config", "POP3_ServerVesk"), "110");
    EXPECT_EQ(store.readString("Config", "POP3_VeskMailer1"), "110");
    EXPECT_EQ(store.readString("Config", "POP3_VeskMailer2"), "1100");
}

TEST(PortDialogModelTest, DefaultsButtonPutsBackTheDefaultTexts)
{
    PortDialogModel model;
    for (int i = 0; i < PortDialogModel::FieldCount; ++i)
        model.setText(i, "1");
    model.resetToDefaults();
    EXPECT_EQ(model.texts(), QStringList({ "25", "25", "250", "110", "110", "1100" }));
    EXPECT_EQ(PortDialogModel::defaultsButtonText(), "初期値");
}

} // namespace vesk::test
