#pragma once

#include <QString>

namespace vesk {

struct AccessPointChoice;

// What the connection control needs of the resident program: the provider
// session, the strip's display and the minute timer.
class ConnectionHost
{
public:
    virtual ~ConnectionHost() = default;

    // A provider session is open; closing it (ClientOff).
    virtual bool clientActive() const = 0;
    virtual void clientOff() = 0;
    // The connection error handling ("ConnectNG").
    virtual void connError() = 0;
    // DispSet and what the strip shows.
    virtual void setDisplayMode(int mode) = 0;
    virtual int displayMode() const = 0;
    virtual QString dateLabel() const = 0;
    virtual QString timeLabel() const = 0;
    // The connection time in the title: "+ " and the time.
    virtual void showConnectTime(const QString &time) = 0;
    virtual void stopMinuteTimer() = 0;
    virtual void startMinuteTimer() = 0;
    // A temporary display is being held.
    virtual bool holdRunning() const = 0;
    // The OK button's "OFF" action.
    virtual void mainButtonAction() = 0;
    // The panel, the line or the OK button changed.
    virtual void dialUpChanged() = 0;
    // The access-point selector chose another account for this dial: the
    // provider session uses it until the settings are read again.
    virtual void takeOverAccount(const AccessPointChoice &choice) = 0;
};

} // namespace vesk
