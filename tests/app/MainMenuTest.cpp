#include "app/MainMenu.h"
#include "launcher/LauncherTable.h"
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

// Launcher entries follow their sub-menu's head with their short cuts; a
// plain F9 of an entry takes F9 from the plan editor, Ctrl+F9 does not.
TEST(MainMenu, LauncherEntriesAndTheFunctionKeysTheyTake)
{
    using C = menu::Command;
    const LauncherTable launcher = LauncherTable::fromLines({
        "00=Mail,/usr/bin/mailer,,,,F9",
        "01=Edit,/usr/bin/editor,,,,Ctrl+F10,Ctrl+Alt+E",
    });
    const auto rows = menu::items(Settings {}, { .launcher = &launcher });
    EXPECT_EQ(find(rows, C::Plan).functionKey, 0);
    EXPECT_EQ(find(rows, C::LauncherSettings).functionKey, 10);
    EXPECT_TRUE(find(rows, C::Launcher).enabled);
    qsizetype head = 0;
    while (rows.at(head).command != C::Launcher)
        ++head;
    const menu::Item &mail = rows.at(head + 1);
    const menu::Item &edit = rows.at(head + 2);
    EXPECT_EQ(mail.caption, "Mail");
    EXPECT_EQ(mail.shortCut, "F9");
    EXPECT_FALSE(mail.hotKeyMark);
    EXPECT_EQ(edit.entry, 1);
    EXPECT_EQ(edit.shortCut, "Ctrl+Alt+E");
    EXPECT_TRUE(edit.hotKeyMark);
    EXPECT_EQ(rows.at(head + 3).command, C::Plan);
}

} // namespace vesk::test
