#include "server/ServerConfig.h"

#include "app/settings/Settings.h"

namespace vesk {

ServerConfig ServerConfig::fromSettings(const Settings &settings)
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
