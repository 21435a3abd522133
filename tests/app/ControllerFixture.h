#pragma once

#include "app/Controller.h"
#include "mail/CoreServices.h"
#include "mail/MailHost.h"
#include "mail/ProtocolMonitor.h"
#include "mail/SessionState.h"
#include "platform/GlobalAtoms.h"
#include "settings/MemorySettingsStore.h"
#include "store/MessageStore.h"
#include "support/FakeClock.h"
#include "support/FakeDesktop.h"
#include "support/FakeEventPump.h"
#include "support/FakeTimerFactory.h"
#include "support/RecordingMessenger.h"

#include <QCoreApplication>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace vesk::test {

// A provider that answers at once with what the test scripted.
class FakeProvider final : public ProviderLink
{
public:
    explicit FakeProvider(SessionState &session) : m_session(session) {}
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

    int downloads = 0;
    int sends = 0;
    int nextNewMail = 0;
    bool fail = false;
    bool active = false;
    std::function<void()> duringDownLoad;
    MailHost *host = nullptr;

private:
    SessionState &m_session;
};

class FakeServers final : public LocalServerLink
{
public:
    bool startMailer1() override
    {
        calls << "start1";
        return true;
    }
    bool startMailer2() override
    {
        calls << "start2";
        return true;
    }
    void stopAll() override { calls << "stop"; }
    void closeForSession() override { calls << "close"; }
    void reopenAfterSession() override { calls << "reopen"; }
    QStringList calls;
};

class ControllerTest : public ::testing::Test
{
protected:
    ControllerTest()
        : timers(&clock)
        , pump(&timers)
        , store(dir.path())
        , atoms(dir.path() + "/run")
        , provider(session)
    {
        settings.writeString("Config", "Host", "pop.example.jp");
        settings.writeString("Config", "UserID", "taro");
        settings.writeString("Config", "Password", "secret");
        settings.writeInteger("Config", "ServerON", 1);
    }

    Controller &make()
    {
        controller = std::make_unique<Controller>(core, settings, atoms, QStringLiteral("vesk"));
        controller->setProvider(&provider);
        provider.host = &controller->mailHost();
        controller->setLocalServers(&servers);
        controller->setSoundPlayer([this](const QString &) { ++sounds; });
        // Nothing outside the test is started or typed into.
        controller->setDesktop(desktop.services());
        controller->setTextPrompt([this](const QString &title, const QString &, const QString &text) {
            prompts << title + u'|' + text;
            return promptAnswer;
        });
        QObject::connect(controller.get(), &Controller::finished, [this] { finished = true; });
        controller->start();
        // The idle step that start() leaves to the event loop.
        QCoreApplication::sendPostedEvents();
        return *controller;
    }

    void putMail(Box box, const char *name)
    {
        ASSERT_TRUE(store.saveContent(box, name, "Subject: x\r\n\r\nbody\r\n"));
    }

    QTemporaryDir dir;
    FakeClock clock;
    FakeTimerFactory timers;
    FakeEventPump pump;
    RecordingMessenger messenger;
    MemorySettingsStore settings;
    MessageStore store;
    FileAtoms atoms;
    SessionState session;
    ProtocolMonitor monitor;
    FakeProvider provider;
    FakeServers servers;
    CoreServices core { clock, timers, pump, messenger, store, session, monitor };
    FakeDesktop desktop;
    QStringList prompts;
    std::optional<QString> promptAnswer;
    int sounds = 0;
    bool finished = false;
    std::unique_ptr<Controller> controller;
};

} // namespace vesk::test
