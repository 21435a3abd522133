#pragma once

#include "boxes/BoxHost.h"

namespace vesk {

class Controller;
class SettingsStore;

// The box window's requests, served by the resident program's controller,
// and the controller's news of the boxes passed on to the window.
class ControllerBoxHost final : public BoxHost
{
    Q_OBJECT

public:
    ControllerBoxHost(Controller &controller, SettingsStore &settingsStore, QObject *parent = nullptr);

    const Settings &settings() const override;
    void sendToStickyNote(const QString &text) override;
    QString lastTime() const override;
    void wakeMailer(int mailer) override;
    void keyTyped(QChar character) override;
    void checkNow(bool keepLine) override;
    bool sendHeld() const override;
    void setSendHeld(bool held) override;
    bool mailIndicationOn() const override;
    void toggleMailIndication() override;
    void popUpCheck() override;
    void openSettings(bool rulesPage) override;
    void offerRule(int list, const QString &text) override;
    RuleLists distributionRules() const override;
    void setBoxWindowOpen(bool open) override;

private:
    Controller &m_c;
    SettingsStore &m_settingsStore;
};

} // namespace vesk
