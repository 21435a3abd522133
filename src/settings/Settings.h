#pragma once

#include "settings/ColorValue.h"

#include <QString>
#include <QStringList>

#include <array>

namespace vesk {

// Everything RegRead loads: the values of the sections Config and Disp under
// their stored names, followed by what RegRead derives from them.
// SettingsTable lists the stored fields with their names, types and defaults;
// a new Settings holds those defaults, the values a fresh machine runs with.
struct Settings
{
    Settings();

    // --- Config ---
    bool ServerON;
    int SMTP_ServerVesk;
    int SMTP_VeskMailer1;
    int SMTP_VeskMailer2;
    int POP3_ServerVesk;
    int POP3_VeskMailer1;
    int POP3_VeskMailer2;
    bool WithClose;
    int DialMode; // 0 LAN, otherwise dial-up
    QString AP;
    QString Host;
    QString SMTP; // defaults to Host
    QString UserID;
    bool ManuSend;
    bool DevideON;
    bool Apop;
    bool DoublePass;
    bool LeaveOnServer; // leave mail at the provider, by its UIDL
    int LeaveDays; // then DELE N days after storing; 0 never
    bool DeleteWithMailer; // DELE once a mailer deleted its copy
    QString Password; // decoded
    bool ShutNot;
    ColorValue FontColor;
    int FontSize;
    QString FontName;
    int FontStyle; // FontStyleBits
    ColorValue OnFontColor;
    ColorValue WeekColor1;
    ColorValue WeekColor2;
    ColorValue WeekColor3;
    ColorValue WeekColor4;
    ColorValue WeekColor5;
    ColorValue WeekColor6;
    ColorValue WeekColor7;
    int SlideSpeed;
    QString Mailer;
    QString Macro;
    QString MailPassword;
    QString Mailer2;
    QString Macro2;
    QString MailPassword2;
    bool MailWaveON;
    QString MailWave;
    bool PlanWaveON;
    QString PlanWave;
    bool MailRound;
    bool RoundGo;
    int RoundTime;
    int OverTime; // seconds
    bool AutoDevideDisp;
    bool DirectCheck;
    bool DirectCheck2;
    bool AutoOpen;
    bool AutoOpen2;
    bool SendPause;
    int SendPauseTime;
    bool WithCheck;
    bool MacroSend;
    bool MacroSend2;
    QString MailerSw;
    QString MailerSw2;
    int ReDial;
    int ReDialWait;
    bool DialDispOn;
    bool DefNoncheck;
    bool ConnectBeep;
    bool BeforeOne;
    bool BeforeYear;
    bool BeforeMonth;
    bool BeforeWeek;
    int DayBefore;
    bool DebugWindow;
    bool DesktopNotify;
    bool PelmaHide;
    int FirstDelay;
    int Gyou;
    ColorValue ChoimiFColor;
    int ChoimiFSize;
    QString ChoimiFName;
    int ChoimiFStyle; // FontStyleBits
    bool ChoimiHead;
    QString Folder;
    // Not in the old program: TLS and SMTP login with the provider. The
    // defaults are the plain sessions of old.
    int POP3_Security; // 0 none, 1 STLS, 2 TLS (POP3S)
    int SMTP_Security; // 0 none, 1 STARTTLS, 2 TLS (SMTPS)
    int SMTP_Auth; // 0 none, 1 automatic, 2 PLAIN, 3 LOGIN, 4 CRAM-MD5
    bool SMTP_AuthPlain; // PLAIN and LOGIN also without encryption
    QString SMTP_UserID; // empty: UserID
    QString SMTP_Password; // decoded; empty: Password
    // OAuth 2.0 (XOAUTH2, OAUTHBEARER) in place of the password.
    int POP3_Auth; // 0 USER/PASS or APOP, 1 XOAUTH2, 2 OAUTHBEARER
    QString TokenCommand; // prints an access token; empty: the built-in sign-in
    int OAuth_Preset; // 0 other, 1 Google, 2 Microsoft (fills the three below)
    QString OAuth_ClientID;
    QString OAuth_ClientSecret; // decoded; many desktop clients have none
    QString OAuth_AuthUrl;
    QString OAuth_TokenUrl;
    QString OAuth_Scope; // space-separated
    QString OAuth_RefreshToken; // decoded; written by the sign-in and each refresh

    // --- Disp ---
    bool Wareki;
    bool Seireki;
    bool Date;
    bool Week;
    bool Time;
    bool Close;
    bool Pelma;
    int PosiMode; // 0 free, 1 top left, 2 top centre, 3 fixed where it is
    int MainLeft;
    int MainTop;
    bool CalFlag;
    bool CalBack;
    int MultiJpgCo;
    QString LastTime;
    bool ChoimiOn;
    int PlanTop;
    int PlanLeft;
    int DebugTop;
    int DebugLeft;
    int ChoimiTop;
    int ChoimiLeft;
    int ChoimiWidth;
    int ChoimiHeight;
    int DevideTop;
    int DevideLeft;
    int DevideWidth;
    int DevideSendA;
    int DevideSendB;
    int DevideSendC;
    int DevidePnl1;
    int DevideUp;
    int DevideLow;
    int DevidePnl4;
    bool DevideMin;
    bool ButtonTop;
    int LuncherTop;
    int LuncherLeft;
    int LuncherHeight;
    int LuncherWidth;
    int LuncherCol1;
    int LuncherCol2;
    int LuncherCol3;
    int LuncherCol4;
    int LuncherCol5;
    int LuncherCol6;
    int LuncherCol7;
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
