#pragma once

#include "app/Controller.h"
#include "app/MailerController.h"
#include "extras/settings/SettingsController.h"
#include "launcher/LauncherController.h"
#include "platform/GlobalAtoms.h"
#include "support/CoreFixture.h"
#include "support/FakeDesktop.h"
#include "support/MemorySettingsStore.h"

#include <QCoreApplication>

namespace vesk::test {

// A provider that answers at once with what the test scripted.
class FakeProvider final : public ProviderLink
{
public:
    explicit FakeProvider(SessionState &session)
        : m_session(session)
    { }
    void DownLoad() override
    {
        ++downloads;
        if (duringDownLoad)
            duringDownLoad();
        m_session.marker = fail ? QStringLiteral("x") : QString();
        // A failed session runs the connection error handling, as the real one does.
        if (fail && host)
            host->connError();
    }
    bool MailSend() override
    {
        ++sends;
        m_session.marker.clear();
        return true;
    }
    int newMailCount() const override { return fail ? 0 : nextNewMail; }
    bool clientActive() const override { return active; }
    void closeClient() override { active = false; }

    int downloads = 0, sends = 0, nextNewMail = 0;
    bool fail = false, active = false;
    std::function<void()> duringDownLoad;
    MailHost *host = nullptr;

private:
    SessionState &m_session;
};

class FakeServers final : public LocalServerLink
{
public:
    bool startMailer1() override { return calls << "start1", true; }
    bool startMailer2() override { return calls << "start2", true; }
    void stopAll() override { calls << "stop"; }
    void closeForSession() override { }
    void reopenAfterSession() override { }
    QStringList calls;
};

// The controller with a scripted provider and local servers, in fake time.
class ControllerTest : public CoreFixture
{
protected:
    ControllerTest()
    {
        m_pump.timers = &m_timers;
        settings.writeString("Config", "Host", "pop.example.jp");
        settings.writeString("Config", "UserID", "taro");
        settings.writeString("Config", "Password", "secret");
        settings.writeInteger("Config", "ServerON", 1);
    }

    // `wire` connects what a test adds before the start-up pass.
    Controller &make(const std::function<void(Controller &)> &wire = {})
    {
        controller = std::make_unique<Controller>(m_core, settings, atoms, QStringLiteral("vesk"));
        controller->setProvider(&provider);
        provider.host = &controller->mailHost();
        controller->setLocalServers(&servers);
        controller->setSoundPlayer([this](const QString &, SoundEvent event) {
            ++sounds;
            soundEvent = event;
        });
        // Nothing outside the test is started or typed into.
        controller->launcher().setDesktop(desktop.services());
        controller->launcher().setTextPrompt([this](const QString &title, const QString &, const QString &text) {
            prompts << title + u'|' + text;
            return promptAnswer;
        });
        QObject::connect(controller.get(), &Controller::finished, [this] { finished = true; });
        if (wire)
            wire(*controller);
        controller->start();
        // The idle step that start() leaves to the event loop.
        QCoreApplication::sendPostedEvents();
        return *controller;
    }
    // The settings read again and applied, as when the settings dialog closes.
    static void reloadSettings(Controller &c)
    {
        c.settingsDialog().setSettingsDialogPresent(true);
        c.settingsDialog().openSettings();
        c.settingsDialog().settingsDialogClosed();
    }
    void putOut() { put(Box::OutBox, "20261206080000000.ID", "Subject: x\r\n\r\nbody\r\n"); }

    MemorySettingsStore settings;
    FileAtoms atoms { m_dir.path() + "/run" };
    FakeProvider provider { m_state };
    FakeServers servers;
    FakeDesktop desktop;
    QStringList prompts;
    std::optional<QString> promptAnswer;
    int sounds = 0;
    std::optional<SoundEvent> soundEvent;
    bool finished = false;
    std::unique_ptr<Controller> controller;
};

} // namespace vesk::test
