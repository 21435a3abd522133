#pragma once

#include "server/MessageListing.h"

#include <QByteArray>
#include <QList>

namespace vesk {

// The connection variables of one local dialogue.
struct DialogueVariables
{
    // POP3 login (PASS or APOP) and SMTP greeting (HELO or MAIL) are kept
    // apart: saying HELO must not open the mailbox.
    bool pop3Authenticated = false;
    bool smtpAuthenticated = false;
    QByteArray user; // USER or APOP name
    QByteArray heloName;
    // Something was retrieved in this dialogue.
    bool retrieved = false;

    // Made at connect.
    QByteArray stampId;
    QByteArray greetingStamp; // "<" + stamp id + "@" + host + ">"
    QByteArray dateText;
    QByteArray traceText;

    QByteArray sender;
    QList<QByteArray> recipients;

    // The mailbox as listed at login.
    MessageListing listing;
};

} // namespace vesk
