#pragma once

#include "mail/ProviderSecurity.h"

#include <QString>

namespace vesk {

// The settings a provider session reads, named as the settings are. Filled
// from the settings store by the controller before each session.
struct SessionConfig
{
    QString Host;
    QString SMTP;
    QString UserID;
    QString Password;
    bool Apop = false;
    bool ServerON = true;
    bool DevideON = false;
    bool DoublePass = false;
    bool ManuSend = false;
    bool AutoDevideDisp = false;
    int POP3_ServerVesk {};
    int SMTP_ServerVesk {};
    // Leave mail at the provider, tracked by its unique ids: DELE only N days
    // after storing (0: never) or once a mailer deleted the local copy.
    bool LeaveOnServer = false;
    int LeaveDays = 0;
    bool DeleteWithMailer = false;
    // Seconds of silence before the watchdog abandons a session.
    int OverTime = 300;

    Security POP3_Security = Security::None;
    Security SMTP_Security = Security::None;
    SmtpAuth SMTP_Auth = SmtpAuth::None;
    // PLAIN and LOGIN also on a connection that is not encrypted.
    bool SMTP_AuthPlain = false;
    // The SMTP login where it differs from the provider's; empty: UserID
    // and Password.
    QString SMTP_UserID;
    QString SMTP_Password;
    PopAuth POP3_Auth = PopAuth::Password;
    // The access token for XOAUTH2 and OAUTHBEARER, fetched just before the
    // session; never stored.
    QString AccessToken;
    // Certificates trusted besides the system's (a test's own authority).
    QString TlsCaFile;

    // The fixed pauses of the download (before each RETR, after each saved
    // message). Only a measurement changes them.
    int RetrPauseMs = 100;
    int SavedPauseMs = 100;

    // A message larger than this is left at the provider.
    qint64 MaxMessageBytes = qint64(256) * 1024 * 1024;

    QString smtpUser() const { return SMTP_UserID.isEmpty() ? UserID : SMTP_UserID; }
    QString smtpPassword() const { return SMTP_Password.isEmpty() ? Password : SMTP_Password; }

    bool pop3Bearer() const { return POP3_Auth == PopAuth::XOAuth2 || POP3_Auth == PopAuth::OAuthBearer; }
    bool smtpBearer() const { return SMTP_Auth == SmtpAuth::XOAuth2 || SMTP_Auth == SmtpAuth::OAuthBearer; }

    // Host, SMTP and UserID all given.
    bool accountComplete() const { return !Host.isEmpty() && !SMTP.isEmpty() && !UserID.isEmpty(); }
};

} // namespace vesk
