#include "session/SessionConfig.h"

#include "app/settings/Settings.h"

namespace vesk {

SessionConfig SessionConfig::from(const Settings &settings)
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
    config.SMTP_ServerVesk = settings.SMTP_ServerVesk;
    // Kept within its sane range by RegRead.
    config.OverTime = settings.OverTimeMs / 1000;
    return config;
}

} // namespace vesk
