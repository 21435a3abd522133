#include "settings/RegRead.h"

#include "platform/Blanks.h"
#include "platform/Messenger.h"
#include "settings/NumberText.h"
#include "settings/PasswordCodec.h"
#include "settings/SettingsSections.h"
#include "settings/SettingsStore.h"
#include "settings/SettingsTable.h"

#include <algorithm>

namespace vesk {
namespace {

QString readPassword(
    SettingsStore &store, QString Settings::*field, const QString &stored, Messenger &messenger)
{
    if (stored.isEmpty())
        return {};
    if (PasswordCodec::isPlain(stored)) {
        // Left by an older version: keep using it, store it encoded.
        SettingsTable::setValue(store, field, PasswordCodec::encode(stored));
        return stored;
    }
    if (auto decoded = PasswordCodec::decode(stored))
        return *decoded;
    messenger.message(QStringLiteral("パスワードを再入力してください"));
    return stored;
}

void readTable(SettingsStore &store, Settings &settings, const std::vector<SettingEntry> &table)
{
    for (const SettingEntry &entry : table) {
        // The SMTP server defaults to the POP3 host, read before it.
        if (entry.field == SettingEntry::Field(&Settings::SMTP))
            settings.SMTP = store.readString(
                SettingsTable::sectionOf(entry), SettingsTable::nameOf(entry), settings.Host);
        else
            SettingsTable::read(store, settings, entry);
    }
}

// A protection or login setting that is there but not a number is kept as
// something no table value is (-1): read as the default, "2 ;ssl" would send
// the password in clear.
void keepUnreadableSecurity(SettingsStore &store, Settings &settings)
{
    for (int Settings::*field :
        { &Settings::POP3_Security, &Settings::SMTP_Security, &Settings::SMTP_Auth, &Settings::POP3_Auth }) {
        const SettingEntry &entry = SettingsTable::entryOf(field);
        const QString text = store.readString(SettingsTable::sectionOf(entry), SettingsTable::nameOf(entry));
        if (!Blanks::trimmed(text).isEmpty() && !parseDecimal(text))
            settings.*field = -1;
    }
}

} // namespace

Settings RegRead(SettingsStore &store, Messenger &messenger, const RegReadInput &input)
{
    Settings settings;
    readTable(store, settings, SettingsTable::config());
    readTable(store, settings, SettingsTable::disp());
    keepUnreadableSecurity(store, settings);

    settings.AccountComplete
        = !settings.Host.isEmpty() && !settings.SMTP.isEmpty() && !settings.UserID.isEmpty();
    settings.Password = readPassword(store, &Settings::Password, settings.Password, messenger);
    settings.SMTP_Password = readPassword(store, &Settings::SMTP_Password, settings.SMTP_Password, messenger);
    settings.OAuth_ClientSecret
        = readPassword(store, &Settings::OAuth_ClientSecret, settings.OAuth_ClientSecret, messenger);
    settings.OAuth_RefreshToken
        = readPassword(store, &Settings::OAuth_RefreshToken, settings.OAuth_RefreshToken, messenger);
    settings.MainPositionApplies = settings.PosiMode == 0 || settings.PosiMode == 3;
    settings.PelmaMenuEnabled = input.pelmaExists;
    settings.PelmaItemsEnabled = settings.Pelma && input.pelmaExists;
    // The dialog keeps OverTime within 5-600 seconds; a hand-edited value
    // outside must neither stop every session at once nor overflow.
    settings.OverTimeMs = std::clamp(settings.OverTime, 5, 600) * 1000;
    // A negative count would delete at once; a hundred years is "never" enough.
    settings.LeaveDays = std::clamp(settings.LeaveDays, 0, 36500);
    settings.LuncherLines = store.readSection(sections::Luncher);
    if (settings.ServerON && settings.DevideON && settings.MailRound)
        settings.DevideList = readDevideLists(store);
    if (!(settings.LastTime > input.lastTime))
        settings.LastTime = input.lastTime;

    applyDependencyRules(settings);

    const QString problem = store.errorText();
    if (!problem.isEmpty())
        messenger.message(problem);
    const QString notice = store.takeNotice();
    if (!notice.isEmpty())
        messenger.message(notice);
    const QString secretNotice = store.takeSecretNotice();
    if (!secretNotice.isEmpty())
        messenger.message(secretNotice);
    if (settings.DialMode != 0 && settings.AP.isEmpty()) {
        messenger.beep();
        messenger.message(QStringLiteral("「各種設定／接続方法／接続AP名」を入れないと接続できません。"));
    }
    return settings;
}

void applyDependencyRules(Settings &s)
{
    s.HiddenMode = !(s.Close || s.Wareki || s.Seireki || s.Date || s.Week || s.Time);
    if (s.HiddenMode)
        s.ShutNot = true;
    if (!s.MailRound)
        s.ServerON = s.AutoOpen = s.WithCheck = s.MacroSend = s.RoundGo = s.DoublePass = s.Apop = false;
    if (!s.ServerON)
        s.SendPause = s.DirectCheck = s.AutoDevideDisp = s.ManuSend = s.DevideON = false;
    if (!s.DevideON) {
        s.MacroSend2 = s.AutoOpen2 = s.DirectCheck2 = false;
        s.Mailer2.clear();
        s.Macro2.clear();
        s.MailPassword2.clear();
    }
    if (s.DialMode == 0) {
        s.ConnectBeep = s.DialDispOn = s.DefNoncheck = false;
        s.AP.clear();
        s.ReDialWait = 10;
        s.ReDial = 3;
    }
}

std::array<QStringList, 4> readDevideLists(SettingsStore &store)
{
    std::array<QStringList, 4> lists;
    for (const IniEntry &entry : store.readSectionEntries(sections::Devide)) {
        const std::optional<int> number
            = entry.name.size() >= 3 ? parseDecimal(QStringView(entry.name).left(3)) : std::nullopt;
        if (!number || *number < 101 || *number > 500)
            continue;
        const QString rule = Blanks::trimmed(entry.value).toString();
        if (!rule.isEmpty())
            lists[(*number - 1) / 100 - 1] << rule;
    }
    return lists;
}

} // namespace vesk
