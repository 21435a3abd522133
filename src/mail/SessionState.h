#pragma once

#include "mail/StatusMarker.h"

namespace vesk {

// Why the running check or send cycle started.
enum CheckTriggerValue : int {
    TriggerPeriodic = 0,
    TriggerManualHangUp = 1,
    TriggerManual = 2,
    TriggerMailer = 4,
    TriggerAutoOpen = 5,
};

// The state that the provider session, the local servers and the controller
// hand over between a waiting loop and the event handlers. There is one of it
// in the program; everything runs on the one thread, so no locking.
struct SessionState
{
    StatusMarker marker;
    int checkTrigger = TriggerPeriodic;

    // A mailer's POP3 dialogue runs (either mailer); the SMTP end waits on it.
    bool pop3Active = false;
    // Something was retrieved in the current local POP3 dialogue.
    bool retrieved = false;
    // QUIT on a local SMTP port waits for a POP3 dialogue to finish.
    bool smtpEndWaiting = false;
    // Out-box files the last send left behind because they cannot be sent.
    int unsendable = 0;

    bool running() const { return marker == QLatin1String("."); }
    bool failed() const { return marker == QLatin1String("x"); }
};

} // namespace vesk
