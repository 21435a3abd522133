#pragma once

#include "app/Controller.h"
#include "dialup/ConnectionHost.h"

namespace vesk {

// What the connection control sees of the controller.
class Controller::DialUpHost final : public ConnectionHost
{
public:
    explicit DialUpHost(Controller &controller)
        : m_c(controller)
    { }

    bool clientActive() const override;
    void clientOff() override;
    void connError() override { m_c.connError(); }
    void setDisplayMode(int mode) override { m_c.m_strip->DispSet(mode); }
    int displayMode() const override { return m_c.m_strip->display().mode(); }
    QString dateLabel() const override { return m_c.m_strip->display().dateLabel(); }
    QString timeLabel() const override { return m_c.m_strip->display().timeLabel(); }
    void showConnectTime(const QString &time) override;
    void stopMinuteTimer() override { m_c.stopMinuteTimer(); }
    void startMinuteTimer() override { m_c.startMinuteTimer(); }
    bool holdRunning() const override { return m_c.m_holdSeconds != 0; }
    void mainButtonAction() override { m_c.hangUp(); }
    void dialUpChanged() override { emit m_c.dialUpChanged(); }
    void takeOverAccount(const AccessPointChoice &choice) override;

private:
    Controller &m_c;
};

} // namespace vesk
