#pragma once

#include "settings/Settings.h"

#include <QString>

namespace vesk {

// The provider account: whom a check asks and how. The settings dialog hands
// one over for a connection test, which puts it in place of the loaded one
// and back afterwards.
struct ProviderAccount
{
    QString Host;
    QString SMTP;
    QString UserID;
    QString Password; // plain
    bool Apop {};
    int POP3_ServerVesk {};
    int SMTP_ServerVesk {};
    int POP3_Security {};

    static ProviderAccount of(const Settings &settings)
    {
        return { settings.Host, settings.SMTP, settings.UserID, settings.Password, settings.Apop,
            settings.POP3_ServerVesk, settings.SMTP_ServerVesk, settings.POP3_Security };
    }
    void applyTo(Settings &settings) const
    {
        settings.Host = Host;
        settings.SMTP = SMTP;
        settings.UserID = UserID;
        settings.Password = Password;
        settings.Apop = Apop;
        settings.POP3_ServerVesk = POP3_ServerVesk;
        settings.SMTP_ServerVesk = SMTP_ServerVesk;
        settings.POP3_Security = POP3_Security;
    }

    // Host, SMTP and UserID all given: there is someone to ask.
    bool complete() const { return !Host.isEmpty() && !SMTP.isEmpty() && !UserID.isEmpty(); }
};

} // namespace vesk
