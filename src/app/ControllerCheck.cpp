#include "app/AccessoriesController.h"
#include "app/Controller.h"
#include "app/MailerController.h"
#include "boxes/BoxWindowController.h"
#include "dialup/ConnectionControl.h"
#include "mail/CoreServices.h"
#include "mail/SessionState.h"
#include "platform/Clock.h"
#include "platform/EventPump.h"
#include "platform/GlobalAtoms.h"
#include "platform/Messenger.h"
#include "platform/Timer.h"
#include "store/MessageStore.h"

namespace vesk {

QString Controller::checkRefusal() const
{
    if (m_closeRequested)
        return QStringLiteral("Veskは終了処理中です");
    // A cycle waits in loops that pump events, so a second command could
    // otherwise start a check inside the running one.
    if (m_cycleDepth > 0)
        return QStringLiteral("実行中のチェックがあります");
    return QString();
}

void Controller::runDownLoad()
{
    // Without an account there is nobody to ask: no check took place.
    if (!m_provider || !m_settings.AccountComplete) {
        m_core.state.marker.clear();
        return;
    }
    const CycleScope cycle(*this);
    const QDateTime now = m_core.clock.now();
    checkStarted(QStringLiteral("%1/%2 %3")
                     .arg(now.date().month())
                     .arg(now.date().day())
                     .arg(now.toString(QStringLiteral("h:mm"))));
    m_provider->DownLoad();
    // The download's progress ("Down 30/30") is over with it.
    m_boxWindow->showLastCheck();
    setNewMail(m_core.state.failed() ? 0 : m_provider->newMailCount(), m_mailAnnounced, m_animationOn);
    startMinuteTimer();
}

bool Controller::checkNow()
{
    return manualCheck(TriggerManualHangUp);
}

bool Controller::checkNowKeepLine()
{
    return manualCheck(TriggerManual);
}

bool Controller::manualCheck(int trigger)
{
    if (!checkRefusal().isEmpty()) {
        m_core.messenger.beep();
        return false;
    }
    m_core.state.checkTrigger = trigger;
    ManualON();
    m_core.state.checkTrigger = TriggerPeriodic;
    return true;
}

void Controller::ManualON()
{
    const CycleScope cycle(*this);
    m_checkDone = true;
    stopMinuteTimer();
    m_core.pump.waitUntil([this] { return !m_provider || !m_provider->clientActive(); }, 20, 100);
    setNewMail(0, m_mailAnnounced, false);
    m_strip->DispSet(DisplayState::Normal);
    UpLoad();
    startMinuteTimer();
}

void Controller::UpLoad()
{
    const CycleScope cycle(*this);
    // 1: one provider session at a time.
    m_core.pump.waitUntil([this] { return !m_provider || !m_provider->clientActive(); }, 200, 10);
    stopMinuteTimer();

    // 2-3: the connection.
    m_dialUp->beforeCheck();
    m_core.state.marker = QStringLiteral(".");
    if (!DialUpOn() || m_core.state.failed()) {
        startMinuteTimer();
        return;
    }

    // 4: download, then send.
    if (m_settings.AccountComplete) {
        runDownLoad();
        stopMinuteTimer();
        if (m_core.state.failed()) {
            startMinuteTimer();
            return;
        }
        m_sending = true;
        if (m_settings.ServerON && boxCount(Box::OutBox) > 0)
            askAndMaybeSend();
    } else {
        m_core.state.marker.clear();
    }

    // 5: the provider connection is closed by now.
    if (m_provider && m_provider->clientActive())
        m_provider->closeClient();
    m_dialUp->checkClosed();

    // 6-8: indication and result.
    AfterDown();
    if (m_core.state.checkTrigger != TriggerAutoOpen && !m_mailAnnounced) {
        m_strip->DispSet(m_core.state.marker.isEmpty() ? DisplayState::NonMail : DisplayState::ConnectNG);
        hold(3);
    }
    m_sending = false;
    startMinuteTimer();
}

void Controller::askAndMaybeSend()
{
    bool send = true;
    if (m_newMailCount > 0 && m_settings.SendPause) {
        m_core.messenger.beep();
        m_strip->DispSet(DisplayState::HowNow);
        const int seconds = m_settings.SendPauseTime;
        m_questionOpen = true;
        hold(seconds);
        const QString text = QStringLiteral("メールが着信していました。\r\nメールの送信を行いますか？\r\n\r\n< ")
                             + QString::number(seconds) + QStringLiteral("秒後に自動送信します >");
        const std::optional<Messenger::Answer> answer
            = m_core.messenger.ask(QStringLiteral("確認"), text, Messenger::Buttons::OkCancel);
        if (!answer && seconds > 0) {
            // Nobody can answer: the question stays up its time and then sends.
            m_core.pump.waitUntil([this] { return !m_questionOpen; }, seconds * 10 + 50, 100);
        }
        // Left alone the answer is OK; with no time limit and nobody to ask,
        // waiting would never end, so it is OK at once.
        send = !answer || *answer == Messenger::Answer::Ok;
        m_questionOpen = false;
        m_strip->DispSet(DisplayState::AfterQuestion);
    }
    if (send && m_provider && !m_provider->MailSend()) {
        m_sending = false;
        startMinuteTimer();
    }
}

void Controller::playMailSound()
{
    if (!m_settings.MailWaveON)
        return;
    if (m_sound)
        m_sound(m_accessories->mailWave(), SoundEvent::NewMail);
    else
        m_core.messenger.beep();
}

void Controller::AfterDown()
{
    // 1: announce new mail once.
    if (!m_mailAnnounced && m_newMailCount > 0) {
        playMailSound();
        const bool restart = m_strip->display().mode() != DisplayState::MailOn;
        setNewMail(m_newMailCount, true, true);
        if (restart)
            m_animationMinutes = 0;
        m_strip->DispSet(DisplayState::MailOn);
        m_atoms.add(StripController::TalkedAtom);
    }
    // 2: check-only mode ends the indication when nothing is waiting.
    if (!m_settings.ServerON && m_newMailCount == 0 && !m_strip->display().mailColour()) {
        setNewMail(m_newMailCount, false, m_animationOn);
        m_strip->DispSet(DisplayState::Normal);
        m_atoms.remove(StripController::TalkedAtom);
    }
    // 3: a check started by someone shows the boxes that hold mail.
    if (m_settings.ServerON && m_core.state.checkTrigger != TriggerPeriodic && m_settings.DevideON && anyMailHeld())
        m_boxWindow->showBoxWindow();
    // 4: the line goes down again after a check that asked for it.
    m_dialUp->afterCheck(m_core.state.checkTrigger, m_settings.ServerON, m_newMailCount);
    // 5: the mailers that wait for this mail.
    m_mailers->autoOpen();
    startMinuteTimer();
}

void Controller::checkBeforeMailer()
{
    m_roundCount = 0;
    if (!m_core.state.running() && checkRefusal().isEmpty() && DialUpOn() && !m_core.state.failed()) {
        const CycleScope cycle(*this);
        m_core.state.checkTrigger = TriggerPeriodic;
        runDownLoad();
        AfterDown();
        stopMinuteTimer();
        if (m_animationOn)
            m_core.pump.waitUntil([] { return false; }, 20, 100);
    }
}

} // namespace vesk
