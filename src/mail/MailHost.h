#pragma once

#include "store/MessageStore.h"

#include <QString>

namespace vesk {

// What the provider session and the local servers need their host (the
// controller) to do. Every operation has a harmless default so that a test
// implements only what it looks at.
class MailHost
{
public:
    virtual ~MailHost() = default;

    // The local listening servers refuse mailers while a provider session runs.
    virtual void closeLocalServers() {}
    virtual void reopenLocalServers() {}

    // Where a message is after its distribution: its box, and its name
    // there (another when the box already held one of that name).
    struct Placement
    {
        Box box = Box::InBox;
        QString fileName;
    };
    // Distributes a freshly stored message of the in-box (DevideGo).
    virtual Placement devideGo(const QString &fileName) { return { Box::InBox, fileName }; }

    // A download starts: the check counts as done, the minute timer stops,
    // and `lastTime` ("m/d h:mm") is the time of the last check.
    virtual void checkStarted(const QString &lastTime) { Q_UNUSED(lastTime); }
    // The minute timer runs again (after a failed check or a connection test).
    virtual void restartMinuteTimer() {}
    // The connection could not be made or failed: "ConnectNG" for a moment.
    virtual void connError() {}

    // The settings dialog's connection test is running.
    virtual bool connectionTestRunning() const { return false; }
    // After a connection test's download: hang up a dial-up line.
    virtual void closeDialUp() {}

    // A mailer took its mail: the new-mail indication ends.
    virtual void clearNewMailIndication() {}
    // Runs the whole send cycle (connect, download, send the out-box) with
    // the given trigger; returns when it has ended.
    virtual void upLoad(int checkTrigger) { Q_UNUSED(checkTrigger); }
};

} // namespace vesk
