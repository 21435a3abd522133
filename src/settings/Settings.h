#pragma once

#include "settings/ColorValue.h"

#include <QString>
#include <QStringList>

#include <array>

namespace vesk {

// Everything RegRead loads: the values of the sections Config and Disp under
// their stored names, initialised to the defaults a fresh machine runs with,
// followed by what RegRead derives from them. SettingsTable lists the stored
// fields with their names, types and default texts.
struct Settings
{
    // --- Config ---
    bool ServerON = false;
    int SMTP_ServerVesk = 25;
    // The mailers' local ports are above 1023: a normal user can open them.
    int SMTP_VeskMailer1 = 10025;
    int SMTP_VeskMailer2 = 10250;
    int POP3_ServerVesk = 110;
    int POP3_VeskMailer1 = 10110;
    int POP3_VeskMailer2 = 1100;
    bool WithClose = false;
    int DialMode = 0; // 0 LAN, otherwise dial-up
    QString AP;
    QString Host;
    QString SMTP; // defaults to Host
    QString UserID;
    bool ManuSend = false;
    bool DevideON = false;
    bool Apop = false;
    bool DoublePass = false;
    QString Password; // decoded
    bool ShutNot = false;
    ColorValue FontColor = colors::clCaptionText;
    int FontSize = 9;
    QString FontName = QStringLiteral("ＭＳ Ｐゴシック");
    int FontStyle = 0; // FontStyleBits
    ColorValue OnFontColor = colors::clYellow;
    ColorValue WeekColor1 = ColorValue(0x000080FF);
    ColorValue WeekColor2 = ColorValue(0x00666666);
    ColorValue WeekColor3 = ColorValue(0x00006E00);
    ColorValue WeekColor4 = colors::clWhite;
    ColorValue WeekColor5 = colors::clBlack;
    ColorValue WeekColor6 = colors::clGray;
    ColorValue WeekColor7 = colors::clAqua;
    int SlideSpeed = 200;
    QString Mailer;
    QString Macro;
    QString MailPassword;
    QString Mailer2;
    QString Macro2;
    QString MailPassword2;
    bool MailWaveON = true;
    QString MailWave;
    bool PlanWaveON = true;
    QString PlanWave;
    bool MailRound = true;
    bool RoundGo = true;
    int RoundTime = 20;
    int OverTime = 300; // seconds
    bool AutoDevideDisp = false;
    bool DirectCheck = false;
    bool DirectCheck2 = false;
    bool AutoOpen = false;
    bool AutoOpen2 = false;
    bool SendPause = false;
    int SendPauseTime = 10;
    bool WithCheck = false;
    bool MacroSend = false;
    bool MacroSend2 = false;
    QString MailerSw;
    QString MailerSw2;
    int ReDial = 3;
    int ReDialWait = 10;
    bool DialDispOn = false;
    bool DefNoncheck = false;
    bool ConnectBeep = false;
    bool BeforeOne = true;
    bool BeforeYear = true;
    bool BeforeMonth = false;
    bool BeforeWeek = false;
    int DayBefore = 3;
    bool DebugWindow = false;
    bool DesktopNotify = false;
    bool PelmaHide = false;
    int FirstDelay = 0;
    int Gyou = 10;
    ColorValue ChoimiFColor = colors::clWindowText;
    int ChoimiFSize = 9;
    QString ChoimiFName = QStringLiteral("ＭＳ ゴシック");
    int ChoimiFStyle = 0; // FontStyleBits
    bool ChoimiHead = true;
    QString Folder;
    // Not in the old program: TLS and SMTP login with the provider. The
    // defaults are the plain sessions of old.
    int POP3_Security = 0; // 0 none, 1 STLS, 2 TLS (POP3S)
    int SMTP_Security = 0; // 0 none, 1 STARTTLS, 2 TLS (SMTPS)
    int SMTP_Auth = 0; // 0 none, 1 automatic, 2 PLAIN, 3 LOGIN, 4 CRAM-MD5
    bool SMTP_AuthPlain = false; // PLAIN and LOGIN also without encryption
    QString SMTP_UserID; // empty: UserID
    QString SMTP_Password; // decoded; empty: Password

    // --- Disp ---
    bool Wareki = false;
    bool Seireki = false;
    bool Date = true;
    bool Week = true;
    bool Time = true;
    bool Close = true;
    bool Pelma = true;
    int PosiMode = 0; // 0 free, 1 top left, 2 top centre, 3 fixed where it is
    int MainLeft = 0;
    int MainTop = 0;
    bool CalFlag = false;
    bool CalBack = false;
    int MultiJpgCo = 0;
    QString LastTime = QStringLiteral("0/0 0:00");
    bool ChoimiOn = false;
    int PlanTop = 0;
    int PlanLeft = 0;
    int DebugTop = 0;
    int DebugLeft = 0;
    int ChoimiTop = 0;
    int ChoimiLeft = 0;
    int ChoimiWidth = 550;
    int ChoimiHeight = 200;
    int DevideTop = 0;
    int DevideLeft = 0;
    int DevideWidth = 580;
    int DevideSendA = 200;
    int DevideSendB = 100;
    int DevideSendC = 20;
    int DevidePnl1 = 100;
    int DevideUp = 200;
    int DevideLow = 200;
    int DevidePnl4 = 100;
    bool DevideMin = false;
    bool ButtonTop = true;
    int LuncherTop = 0;
    int LuncherLeft = 0;
    int LuncherHeight = 400;
    int LuncherWidth = 540;
    int LuncherCol1 = 100;
    int LuncherCol2 = 100;
    int LuncherCol3 = 50;
    int LuncherCol4 = 50;
    int LuncherCol5 = 50;
    int LuncherCol6 = 50;
    int LuncherCol7 = 50;
    QString GetStr;

    // --- Derived by RegRead ---
    // Host, SMTP and UserID are all given: checks can be made.
    bool AccountComplete = false;
    // No display flag is on: the main window runs hidden.
    bool HiddenMode = false;
    // MainLeft/MainTop apply (PosiMode 0 or 3).
    bool MainPositionApplies = true;
    // The sticky-note program is present / its settings items are usable.
    bool PelmaMenuEnabled = false;
    bool PelmaItemsEnabled = false;
    // Protocol time-out timer period.
    int OverTimeMs = 300 * 1000;
    // The four distribution lists (section Devide, 101-200 ... 401-500).
    std::array<QStringList, 4> DevideList;
    // Section Luncher, one "name=value" line per launcher entry.
    QStringList LuncherLines;
};

} // namespace vesk
