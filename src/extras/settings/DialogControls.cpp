#include "extras/settings/DialogControls.h"

#include <algorithm>

namespace vesk {

const SettingEntry &DialogControl::setting() const
{
    return SettingsTable::entryOf(field);
}

int DialogControl::bounded(int value) const
{
    return minimum < maximum ? std::clamp(value, minimum, maximum) : value;
}

namespace dialogcontrols {

const std::vector<DialogControl> &all()
{
    using S = Settings;
    static const std::vector<DialogControl> table = {
        // ＨＯＳＴ設定
        { "ckbMailRound", &S::MailRound },
        { "ckbServerON", &S::ServerON },
        { "edtHost", &S::Host },
        { "edtSMTP", &S::SMTP },
        { "edtUserID", &S::UserID },
        { "speOverTime", &S::OverTime, 5, 600 },
        { "ckbRoundGo", &S::RoundGo },
        { "ckbApop", &S::Apop },
        { "ckbDoublePass", &S::DoublePass },
        { "ckbLeaveOnServer", &S::LeaveOnServer },
        { "speLeaveDays", &S::LeaveDays, 0, 36500 },
        { "ckbDeleteWithMailer", &S::DeleteWithMailer },
        // 暗号化・認証
        { "cmbPop3Security", &S::POP3_Security, 0, 2 },
        { "spePop3Port", &S::POP3_ServerVesk, 1, 65535 },
        { "cmbSmtpSecurity", &S::SMTP_Security, 0, 2 },
        { "speSmtpPort", &S::SMTP_ServerVesk, 1, 65535 },
        { "cmbSmtpAuth", &S::SMTP_Auth, 0, 6 },
        { "cmbPop3Auth", &S::POP3_Auth, 0, 2 },
        { "edtTokenCommand", &S::TokenCommand },
        { "cmbOAuthPreset", &S::OAuth_Preset, 0, 2 },
        { "edtOAuthClientID", &S::OAuth_ClientID },
        { "edtSmtpUserID", &S::SMTP_UserID },
        { "ckbSmtpAuthPlain", &S::SMTP_AuthPlain },
        // 接続方法
        { "edtAp", &S::AP },
        { "speReDial", &S::ReDial, 1, 100 },
        { "speReDialWait", &S::ReDialWait, 1, 120 },
        { "ckbConnectBeep", &S::ConnectBeep },
        { "ckbDefNoncheck", &S::DefNoncheck },
        { "ckbDialDispOn", &S::DialDispOn },
        { "speFirstDelay", &S::FirstDelay, 0, 59 },
        // メーラー1設定
        { "edtMailer", &S::Mailer },
        { "edtMailerSw", &S::MailerSw },
        { "medMailPassword", &S::MailPassword },
        { "edtMacro", &S::Macro },
        { "ckbAutoDevideDisp", &S::AutoDevideDisp },
        { "ckbDevideON", &S::DevideON },
        { "ckbManuSend", &S::ManuSend },
        { "ckbDirectCheck", &S::DirectCheck },
        { "ckbAutoOpen", &S::AutoOpen },
        { "ckbSendPause", &S::SendPause },
        { "speSendPauseTime", &S::SendPauseTime, 0, 300 },
        { "ckbWithCheck", &S::WithCheck },
        { "ckbMacroSend", &S::MacroSend },
        { "ckbChoimi", &S::ChoimiOn },
        { "speGyou", &S::Gyou, 1, 1000 },
        // メーラー2設定
        { "edtMailer2", &S::Mailer2 },
        { "edtMailerSw2", &S::MailerSw2 },
        { "medMailPassword2", &S::MailPassword2 },
        { "edtMacro2", &S::Macro2 },
        { "ckbDirectCheck2", &S::DirectCheck2 },
        { "ckbAutoOpen2", &S::AutoOpen2 },
        { "ckbMacroSend2", &S::MacroSend2 },
        // その他設定
        { "ckbMailWave", &S::MailWaveON },
        { "edtMailWave", &S::MailWave },
        { "speSlideSpeed", &S::SlideSpeed, 0, 10000 },
        { "ckbPlanWave", &S::PlanWaveON },
        { "edtPlanWave", &S::PlanWave },
        { "ckbBeforeOne", &S::BeforeOne },
        { "ckbBeforeYear", &S::BeforeYear },
        { "ckbBeforeMonth", &S::BeforeMonth },
        { "ckbBeforeWeek", &S::BeforeWeek },
        { "speDayBefore", &S::DayBefore, 1, 31 },
        { "ckbCalBack", &S::CalBack },
        { "ckbShutNot", &S::ShutNot },
        { "ckbWithClose", &S::WithClose },
        { "ckbPelmaHide", &S::PelmaHide },
        { "ckbDesktopNotify", &S::DesktopNotify },
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
