#include "settings/PortDialogModel.h"
#include "settings/MemorySettingsStore.h"
#include "support/Printers.h"

#include <gtest/gtest.h>

namespace vesk::test {

TEST(PortDialogModelTest, StoredPortsShowAndNonNumbersBecomeTheFieldsDefault)
{
    MemorySettingsStore store;
    store.writeString("Config", "POP3_VeskMailer2", "11000");
    store.writeString("Config", "SMTP_VeskMailer1", "junk");
    PortDialogModel model;
    model.load(store);
    EXPECT_EQ(model.texts(), QStringList({ "25", "25", "250", "110", "110", "11000" }));
    const char *typed[] = { "2525", "abc", " 2500 ", "", "70000", "0" };
    for (int i = 0; i < PortDialogModel::FieldCount; ++i)
        model.setText(i, typed[i]);
    ASSERT_TRUE(model.accept(store));
    EXPECT_EQ(store.saveCount(), 3);
    QStringList stored;
    for (const char *name : { "SMTP_ServerVesk", "SMTP_VeskMailer1", "SMTP_VeskMailer2", "POP3_ServerVesk",
             "POP3_VeskMailer1", "POP3_VeskMailer2" })
        stored << store.readString("Config", name);
    EXPECT_EQ(stored, QStringList({ "2525", "25", "2500", "110", "110", "1100" }));
    model.resetToDefaults();
    EXPECT_EQ(model.texts(), QStringList({ "25", "25", "250", "110", "110", "1100" }));
    EXPECT_EQ(PortDialogModel::defaultsButtonText(), "初期値");
}

} // namespace vesk::test
