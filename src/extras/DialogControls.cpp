#include "extras/DialogControls.h"

#include <algorithm>

namespace vesk {

const SettingEntry &DialogControl::setting() const
{
    // Every name below is in the settings table; a test holds this.
    return *SettingsTable::find(QString::fromLatin1(section), QString::fromLatin1(name));
}

int DialogControl::bounded(int value) const
{
    return minimum < maximum ? std::clamp(value, minimum, maximum) : value;
}

namespace dialogcontrols {

const std::vector<DialogControl> &all()
{
    static const std::vector<DialogControl> table = {
        // ＨＯＳＴ設定
        { "ckbMailRound", "Config", "MailRound" },
        { "ckbServerON", "Config", "ServerON" },
        { "edtHost", "Config", "Host" },
        { "edtSMTP", "Config", "SMTP" },
        { "edtUserID", "Config", "UserID" },
        { "speOverTime", "Config", "OverTime", 5, 600 },
        { "ckbRoundGo", "Config", "RoundGo" },
        { "ckbApop", "Config", "Apop" },
        { "ckbDoublePass", "Config", "DoublePass" },
        // 暗号化・認証
        { "cmbPop3Security", "Config", "POP3_Security", 0, 2 },
        { "spePop3Port", "Config", "POP3_ServerVesk", 1, 65535 },
        { "cmbSmtpSecurity", "Config", "SMTP_Security", 0, 2 },
        { "speSmtpPort", "Config", "SMTP_ServerVesk", 1, 65535 },
        { "cmbSmtpAuth", "Config", "SMTP_Auth", 0, 4 },
        { "edtSmtpUserID", "Config", "SMTP_UserID" },
        { "ckbSmtpAuthPlain", "Config", "SMTP_AuthPlain" },
        // 接続方法
        { "edtAp", "Config", "AP" },
        { "speReDial", "Config", "ReDial", 1, 100 },
        { "speReDialWait", "Config", "ReDialWait", 1, 120 },
        { "ckbConnectBeep", "Config", "ConnectBeep" },
        { "ckbDefNoncheck", "Config", "DefNoncheck" },
        { "ckbDialDispOn", "Config", "DialDispOn" },
        { "speFirstDelay", "Config", "FirstDelay", 0, 59 },
        // メーラー1設定
        { "edtMailer", "Config", "Mailer" },
        { "edtMailerSw", "Config", "MailerSw" },
        { "medMailPassword", "Config", "MailPassword" },
        { "edtMacro", "Config", "Macro" },
        { "ckbAutoDevideDisp", "Config", "AutoDevideDisp" },
        { "ckbDevideON", "Config", "DevideON" },
        { "ckbManuSend", "Config", "ManuSend" },
        { "ckbDirectCheck", "Config", "DirectCheck" },
        { "ckbAutoOpen", "Config", "AutoOpen" },
        { "ckbSendPause", "Config", "SendPause" },
        { "speSendPauseTime", "Config", "SendPauseTime", 0, 300 },
        { "ckbWithCheck", "Config", "WithCheck" },
        { "ckbMacroSend", "Config", "MacroSend" },
        { "ckbChoimi", "Disp", "ChoimiOn" },
        { "speGyou", "Config", "Gyou", 1, 1000 },
        // メーラー2設定
        { "edtMailer2", "Config", "Mailer2" },
        { "edtMailerSw2", "Config", "MailerSw2" },
        { "medMailPassword2", "Config", "MailPassword2" },
        { "edtMacro2", "Config", "Macro2" },
        { "ckbDirectCheck2", "Config", "DirectCheck2" },
        { "ckbAutoOpen2", "Config", "AutoOpen2" },
        { "ckbMacroSend2", "Config", "MacroSend2" },
        // その他設定
        { "ckbMailWave", "Config", "MailWaveON" },
        { "edtMailWave", "Config", "MailWave" },
        { "speSlideSpeed", "Config", "SlideSpeed", 0, 10000 },
        { "ckbPlanWave", "Config", "PlanWaveON" },
        { "edtPlanWave", "Config", "PlanWave" },
        { "ckbBeforeOne", "Config", "BeforeOne" },
        { "ckbBeforeYear", "Config", "BeforeYear" },
        { "ckbBeforeMonth", "Config", "BeforeMonth" },
        { "ckbBeforeWeek", "Config", "BeforeWeek" },
        { "speDayBefore", "Config", "DayBefore", 1, 31 },
        { "ckbCalBack", "Disp", "CalBack" },
        { "ckbShutNot", "Config", "ShutNot" },
        { "ckbWithClose", "Config", "WithClose" },
        { "ckbPelmaHide", "Config", "PelmaHide" },
        { "ckbDesktopNotify", "Config", "DesktopNotify" },
    };
    return table;
}

const DialogControl *find(QStringView control)
{
    const auto &table = all();
    const auto found = std::find_if(table.begin(), table.end(),
        [control](const DialogControl &c) { return control == QLatin1StringView(c.control); });
    return found == table.end() ? nullptr : &*found;
}

} // namespace dialogcontrols
} // namespace vesk
