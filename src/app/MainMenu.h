#pragma once

#include <QList>
#include <QString>

namespace vesk {

class LauncherTable;
struct Settings;

// The pop-up menu of the strip and the tray (dlgPopUp): every command of the
// program with its caption, function key and enabling rule. Windows build
// their menu from these rows and send the command back to the controller.
namespace menu {

enum class Command {
    Manual1, // mnuManual1 "接-ﾁｪｯｸ-送-断(&C)"
    Manual2, // mnuManual2 "接-ﾁｪｯｸ-送(&O)"
    Timer1, // mnuTimer1..4: the disconnect timer
    Timer2,
    Timer3,
    Timer4,
    MailerOn, // mnuMailerON
    Mailer2On, // mnuMailer2ON
    VeskOn, // mnuVeskON: the new-mail indication
    Calendar, // mnuCal
    PelmaAll, // mnuPelmaAll
    BoxWindow, // mnuRsBox
    Launcher, // mnuLuncher: the head of the launcher's sub-menu
    LauncherEntry, // mnuOpt0, mnuOpt1, ...: one launcher entry (Item::entry)
    Plan, // mnuPlan
    LauncherSettings, // mnuLunchSet
    PelmaSettings, // mnuWrite
    Settings, // mnuSetting
    DispWareki, // mnuDisp: the seven display flags, tags 1-7
    DispSeireki,
    DispDate,
    DispWeek,
    DispTime,
    DispClose,
    DispPelma,
    Position0, // mnuPosiMode0..3
    Position1,
    Position2,
    Position3,
    Autostart, // start Vesk with the desktop session
    Help, // mnuHelp
    Version, // mnuVer
    Quit, // mnuPerent
};

enum class Group { Main, TimerMenu, DisplayMenu, LauncherMenu };

struct Item
{
    Command command;
    Group group;
    QString caption;
    int functionKey = 0; // 1-12 for F1-F12, 0 none
    bool enabled = true;
    bool checkable = false;
    bool checked = false;
    bool separatorBefore = false;
    // Launcher entries: the entry's number, its short cut (QKeySequence
    // text) and whether that is a global hot key.
    int entry = -1;
    QString shortCut = {};
    bool hotKeyMark = false;
};

// What the rows depend on besides the settings.
struct MenuState
{
    int cutMinutes = 0; // the disconnect timer that runs (0 none)
    bool autostart = false;
    // The launcher's entries, and the function keys they took away from
    // the built-in items.
    const LauncherTable *launcher = nullptr;
};

QList<Item> items(const Settings &settings, const MenuState &state);

// "切断タイマー(&T)" and "表示設定(&W)": the captions of the two sub-menus.
QString groupCaption(Group group);

// The display flag of a display-menu command (1-7), 0 for any other.
int displayTag(Command command);

} // namespace menu
} // namespace vesk
