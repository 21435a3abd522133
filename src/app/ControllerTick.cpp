#include "app/Controller.h"
#include "dialup/ConnectionControl.h"
#include "extras/settings/SettingsController.h"
#include "mail/CoreServices.h"
#include "mail/SessionState.h"
#include "plan/PlanController.h"
#include "platform/Clock.h"
#include "platform/Messenger.h"
#include "platform/Timer.h"

namespace vesk {
namespace {

// A little past the boundary, so that the tick never sees the minute before.
constexpr int BoundarySlackMs = 5;

int msToNextMinute(const QDateTime &now)
{
    const QTime t = now.time();
    return (60 - t.second()) * 1000 - t.msec() + BoundarySlackMs;
}

QDateTime minuteOf(const QDateTime &when)
{
    const QTime t = when.time();
    return QDateTime(when.date(), QTime(t.hour(), t.minute()));
}

} // namespace

void Controller::setMinuteRhythm(int rhythm)
{
    m_minuteRhythm = rhythm;
    armMinuteTimer();
}

void Controller::armMinuteTimer()
{
    // Every tick of the minute rhythm aims at the wall clock's next minute, so
    // a clock set or a resume from suspend is caught up at the next tick.
    if (m_minuteRhythm == MinuteRhythm)
        m_timMin->setInterval(msToNextMinute(m_core.clock.now()));
    else
        m_timMin->setInterval(m_minuteRhythm);
}

void Controller::wallClockChanged()
{
    if (m_minuteRhythm != MinuteRhythm || !m_timMin->isActive())
        return;
    if (minuteOf(m_core.clock.now()) != m_lastMinuteTick)
        minuteTimerFired();
    else
        armMinuteTimer();
}

void Controller::minuteTimerFired()
{
    if (m_minuteRhythm == MinuteRhythm) {
        // Early, or the clock was set back: this minute has had its tick.
        const QDateTime minute = minuteOf(m_core.clock.now());
        if (m_lastMinuteTick.isValid() && minute <= m_lastMinuteTick
            && minute.secsTo(m_lastMinuteTick) < 120) {
            armMinuteTimer();
            return;
        }
    }
    timMinTimer();
    if (m_minuteRhythm == MinuteRhythm) {
        m_lastMinuteTick = minuteOf(m_core.clock.now());
        if (m_timMin->isActive())
            armMinuteTimer();
    }
}

void Controller::timMinTimer()
{
    // 1-2: the date and the clock.
    if (m_core.clock.now().date().toString(QStringLiteral("yyyy/MM/dd")) != m_strip->display().rememberedDate()) {
        m_strip->display().dateWrite();
        m_planner->calendarDateChanged();
    }
    // While connected the title may show the connection time instead.
    const bool clock = !m_dialUp->connected() || m_dialUp->panel().shown;
    switch (clock ? m_strip->display().mode() : -1) {
    case DisplayState::Normal:
    case DisplayState::MailOn:
    case DisplayState::LineUp:
    case DisplayState::Calendar:
    case DisplayState::HowNow:
    case DisplayState::PlanAlert:
        m_strip->display().timeSet();
        break;
    default:
        break;
    }
    emit m_strip->displayChanged();

    // 3: the start-up pass.
    if (m_minuteRhythm == StartUpRhythm) {
        m_timMin->stop();
        if (m_editors.isOpen()) {
            startMinuteTimer();
            return;
        }
        if (m_settings.MailRound && (m_settings.Host.isEmpty() || m_settings.UserID.isEmpty())) {
            if (m_settingsDialog->settingsDialogPresent()) {
                // The ticks wait while it is open; closing it reads the settings
                // again. Closed without an account, it does not come back at
                // once: the program runs on without checks.
                if (m_settingsDialog->openAtStartOnce()) {
                    startMinuteTimer();
                    return;
                }
            } else if (!m_accountHintShown) {
                // Nobody to show the dialog to: say once what is missing and run
                // on without checks until the settings are there.
                m_accountHintShown = true;
                m_core.messenger.message(QStringLiteral("「各種設定」でプロバイダのサーバ名とユーザーIDを設定してください。"));
            }
        }
        // The start-up reminder pass: one plan per tick, from the last.
        if (m_planner->startUpPassRunning()) {
            m_planner->startUpReminderStep();
            startMinuteTimer();
            return;
        }
        m_planner->finishStartUpPass();
        setMinuteRhythm(FirstDelayRhythm);
        m_firstDelayLeft = m_settings.FirstDelay;
        startMinuteTimer();
    }

    // 4: the first-check delay.
    if (m_minuteRhythm == FirstDelayRhythm) {
        if (m_settings.DialMode != 0) {
            m_roundCount = m_checkDone ? -1 : m_settings.RoundTime;
            setMinuteRhythm(MinuteRhythm);
        } else if (m_checkDone) {
            // A manual check came first: the periodic rhythm starts from now.
            m_roundCount = -1;
            setMinuteRhythm(MinuteRhythm);
        } else if (m_firstDelayLeft <= 0) {
            m_roundCount = m_settings.RoundTime;
            setMinuteRhythm(MinuteRhythm);
        } else {
            --m_firstDelayLeft;
            return;
        }
    }

    // 5: the dial-up line.
    const bool lineUp = m_dialUp->lineUp();

    // 6: the animation runs for a limited time.
    if (m_animationOn && !m_settings.ShutNot) {
        if (m_animationMinutes < m_animationLimit) {
            ++m_animationMinutes;
        } else {
            setNewMail(m_newMailCount, m_mailAnnounced, false);
            m_strip->DispSet(DisplayState::Normal);
        }
    }

    // 7: plans whose time has come.
    if (m_planner->planDueCheck())
        return;

    // 8: the line came up or dropped; the disconnect timer.
    if (m_dialUp->track(lineUp))
        m_roundCount = 0;

    // 9: the periodic check, download only.
    ++m_roundCount;
    if (m_settings.MailRound && m_settings.RoundGo && m_roundCount >= m_settings.RoundTime) {
        m_core.state.checkTrigger = TriggerPeriodic;
        m_roundCount = 0;
        if (!m_core.state.running() && !m_dialUp->periodicBlocked() && checkRefusal().isEmpty() && DialUpOn()) {
            const CycleScope cycle(*this);
            runDownLoad();
            AfterDown();
        }
    }
}

} // namespace vesk
