#include "app/MainMenu.h"
#include "settings/Settings.h"

#include <gtest/gtest.h>

namespace vesk::test {
namespace {

const menu::Item &find(const QList<menu::Item> &items, menu::Command command)
{
    for (const menu::Item &item : items) {
        if (item.command == command)
            return item;
    }
    static const menu::Item none {};
    ADD_FAILURE() << "no item " << int(command);
    return none;
}

} // namespace

// Items of a missing feature or mode stay in the menu, disabled.
TEST(MainMenu, EnablingRulesFollowTheSettings)
{
    using C = menu::Command;
    Settings lan;
    const auto a = menu::items(lan, {});
    for (C c : { C::Manual2, C::Timer1, C::Mailer2On, C::BoxWindow, C::Launcher, C::PelmaAll, C::PelmaSettings })
        EXPECT_FALSE(find(a, c).enabled) << int(c);
    EXPECT_TRUE(find(a, C::Manual1).enabled);
    EXPECT_EQ(find(a, C::Manual1).functionKey, 2);

    Settings dial;
    dial.DialMode = 1;
    dial.DevideON = dial.ServerON = true;
    dial.PelmaItemsEnabled = true;
    dial.PosiMode = 2;
    dial.Wareki = true;
    const auto b = menu::items(dial, { .cutMinutes = 30 });
    for (C c : { C::Manual2, C::Timer1, C::Mailer2On, C::BoxWindow, C::PelmaAll, C::PelmaSettings })
        EXPECT_TRUE(find(b, c).enabled) << int(c);
    EXPECT_TRUE(find(b, C::Timer2).checked);
    EXPECT_FALSE(find(b, C::Timer1).checked);
    EXPECT_TRUE(find(b, C::Position2).checked);
    EXPECT_TRUE(find(b, C::DispWareki).checked);
    EXPECT_FALSE(find(b, C::DispPelma).enabled);
    EXPECT_EQ(menu::displayTag(C::DispPelma), 7);
}

} // namespace vesk::test
