#include "app/MainMenu.h"

#include "launcher/LauncherTable.h"
#include "launcher/ShortCut.h"
#include "settings/Settings.h"

namespace vesk::menu {

namespace {

// Every command with its own function key.
QList<Item> builtInItems(const Settings &s, const MenuState &state)
{
    const bool dialUp = s.DialMode != 0;
    const auto timer = [&](Command c, const char *caption, int minutes) {
        return Item { c, Group::TimerMenu, QString::fromUtf8(caption), 0, dialUp, true, state.cutMinutes == minutes };
    };
    const auto flag = [](Command c, const char *caption, bool on, bool enabled = true) {
        return Item { c, Group::DisplayMenu, QString::fromUtf8(caption), 0, enabled, true, on };
    };
    const auto position = [&](Command c, const char *caption, int mode, bool separator = false) {
        return Item { c, Group::DisplayMenu, QString::fromUtf8(caption), 0, true, true, s.PosiMode == mode, separator };
    };
    return {
        { Command::Manual1, Group::Main, QStringLiteral("接-ﾁｪｯｸ-送-断(&C)"), 2 },
        { Command::Manual2, Group::Main, QStringLiteral("接-ﾁｪｯｸ-送(&O)"), 11, dialUp },
        timer(Command::Timer1, "10分後切断(&1)", 10),
        timer(Command::Timer2, "30分後切断(&2)", 30),
        timer(Command::Timer3, "１時間後切断(&3)", 60),
        timer(Command::Timer4, "３時間後切断(4)", 180),
        { Command::MailerOn, Group::Main, QStringLiteral("メーラー1ON(&M)"), 4, true, false, false, true },
        { Command::Mailer2On, Group::Main, QStringLiteral("メーラー2ON(&N)"), 5, s.DevideON },
        { Command::VeskOn, Group::Main, QStringLiteral("Vesk    ON/OFF(&D)"), 6 },
        { Command::Calendar, Group::Main, QStringLiteral("ｶﾚﾝﾀﾞｰ ON/OFF(&K)"), 8 },
        { Command::PelmaAll, Group::Main, QStringLiteral("付箋紙 ON/OFF(&F)"), 12, s.PelmaItemsEnabled },
        { Command::BoxWindow, Group::Main, QStringLiteral("送受信箱表示(&Q)"), 7, s.ServerON },
        { Command::Launcher, Group::Main, QStringLiteral("ランチャー・マクロ(&L)"), 0, false },
        { Command::Plan, Group::Main, QStringLiteral("予定時間設定(&P)..."), 9, true, false, false, true },
        { Command::LauncherSettings, Group::Main, QStringLiteral("ランチャー設定(&E)..."), 10 },
        { Command::PelmaSettings, Group::Main, QStringLiteral("付箋紙設定(&B)..."), 3, s.PelmaItemsEnabled },
        { Command::Settings, Group::Main, QStringLiteral("各種設定(&S)...") },
        flag(Command::DispWareki, "和暦(&1)", s.Wareki),
        flag(Command::DispSeireki, "西暦(&2)", s.Seireki),
        flag(Command::DispDate, "月日(&3)", s.Date),
        flag(Command::DispWeek, "週(&4)", s.Week),
        flag(Command::DispTime, "時間(&5)", s.Time),
        flag(Command::DispClose, "［X］終了ボタン(&6)", s.Close),
        flag(Command::DispPelma, "付箋紙(&7)", s.Pelma, s.PelmaMenuEnabled),
        position(Command::Position0, "表示位置自由(&F)", 0, true),
        position(Command::Position1, "表示位置左上固定(&L)", 1),
        position(Command::Position2, "表示位置中上固定(&C)", 2),
        position(Command::Position3, "表示を現位置に固定(&X)", 3),
        { Command::Autostart, Group::DisplayMenu, QStringLiteral("ログイン時に起動(&A)"), 0, true, true,
            state.autostart, true },
        { Command::Help, Group::Main, QStringLiteral("Veskヘルプ(&H)"), 1, true, false, false, true },
        { Command::Version, Group::Main, QStringLiteral("バージョン情報(&V)") },
        { Command::Quit, Group::Main, QStringLiteral("終了(&X)"), 0, true, false, false, true },
    };
}

QList<Item> launcherRows(const LauncherTable &launcher)
{
    QList<Item> rows;
    for (int i = 0; i < launcher.count(); ++i) {
        const LauncherEntry &e = *launcher.entry(i);
        Item item { Command::LauncherEntry, Group::LauncherMenu, e.caption };
        item.entry = i;
        if (const std::optional<ShortCut> cut = ShortCut::fromText(e.shortCut))
            item.shortCut = cut->portableText();
        item.hotKeyMark = e.hasHotKey();
        rows << item;
    }
    return rows;
}

} // namespace

QList<Item> items(const Settings &s, const MenuState &state)
{
    QList<Item> rows = builtInItems(s, state);
    if (!state.launcher)
        return rows;
    for (Item &item : rows) {
        // An entry's function key wins over the built-in item's.
        if (state.launcher->takenFunctionKeys().contains(item.functionKey))
            item.functionKey = 0;
        if (item.command == Command::Launcher)
            item.enabled = state.launcher->count() > 0;
    }
    for (qsizetype i = 0; i < rows.size(); ++i) {
        if (rows.at(i).command == Command::Launcher) {
            const QList<Item> entries = launcherRows(*state.launcher);
            for (qsizetype j = 0; j < entries.size(); ++j)
                rows.insert(i + 1 + j, entries.at(j));
            break;
        }
    }
    return rows;
}

QString groupCaption(Group group)
{
    switch (group) {
    case Group::TimerMenu:
        return QStringLiteral("切断タイマー(&T)");
    case Group::DisplayMenu:
        return QStringLiteral("表示設定(&W)");
    case Group::LauncherMenu:
        return QStringLiteral("ランチャー・マクロ(&L)");
    case Group::Main:
        break;
    }
    return QString();
}

int displayTag(Command command)
{
    switch (command) {
    case Command::DispWareki:
        return 1;
    case Command::DispSeireki:
        return 2;
    case Command::DispDate:
        return 3;
    case Command::DispWeek:
        return 4;
    case Command::DispTime:
        return 5;
    case Command::DispClose:
        return 6;
    case Command::DispPelma:
        return 7;
    default:
        return 0;
    }
}

} // namespace vesk::menu
