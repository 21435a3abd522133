#include "app/EngineSettings.h"

#include "settings/OAuthClient.h"
#include "settings/Settings.h"

namespace vesk {

SessionConfig sessionConfigFrom(const Settings &settings)
{
    SessionConfig config;
    config.Host = settings.Host;
    config.SMTP = settings.SMTP;
    config.UserID = settings.UserID;
    config.Password = settings.Password;
    config.Apop = settings.Apop;
    config.ServerON = settings.ServerON;
    config.DevideON = settings.DevideON;
    config.DoublePass = settings.DoublePass;
    config.ManuSend = settings.ManuSend;
    config.AutoDevideDisp = settings.AutoDevideDisp;
    config.POP3_ServerVesk = settings.POP3_ServerVesk;
    config.LeaveOnServer = settings.LeaveOnServer;
    config.LeaveDays = settings.LeaveDays;
    config.DeleteWithMailer = settings.DeleteWithMailer;
    config.SMTP_ServerVesk = settings.SMTP_ServerVesk;
    // Kept within its sane range by RegRead.
    config.OverTime = settings.OverTimeMs / 1000;
    config.POP3_Security = securityFrom(settings.POP3_Security);
    config.SMTP_Security = securityFrom(settings.SMTP_Security);
    config.SMTP_Auth = smtpAuthFrom(settings.SMTP_Auth);
    config.SMTP_AuthPlain = settings.SMTP_AuthPlain;
    config.SMTP_UserID = settings.SMTP_UserID;
    config.SMTP_Password = settings.SMTP_Password;
    config.POP3_Auth = popAuthFrom(settings.POP3_Auth);
    return config;
}

ProviderTokens::Config tokenConfigFrom(const Settings &settings)
{
    return { settings.TokenCommand, oauthClientFrom(settings), settings.OAuth_RefreshToken };
}

ServerConfig serverConfigFrom(const Settings &settings)
{
    ServerConfig config;
    config.UserID = settings.UserID;
    config.Password = settings.Password;
    config.Host = settings.Host;
    config.DevideON = settings.DevideON;
    config.DirectCheck = settings.DirectCheck;
    config.DirectCheck2 = settings.DirectCheck2;
    config.ManuSend = settings.ManuSend;
    config.AutoDevideDisp = settings.AutoDevideDisp;
    config.DialMode = settings.DialMode;
    // The same bounded value the provider session's watchdog uses.
    config.OverTime = settings.OverTimeMs / 1000;
    config.POP3_VeskMailer1 = settings.POP3_VeskMailer1;
    config.POP3_VeskMailer2 = settings.POP3_VeskMailer2;
    config.SMTP_VeskMailer1 = settings.SMTP_VeskMailer1;
    config.SMTP_VeskMailer2 = settings.SMTP_VeskMailer2;
    return config;
}

} // namespace vesk
