#include "plan/PlanController.h"
#include "mail/EditorGate.h"

#include "display/DisplayState.h"
#include "mail/CoreServices.h"
#include "mail/SessionState.h"
#include "plan/CalendarState.h"
#include "plan/DueCheck.h"
#include "plan/PlanState.h"
#include "plan/PlanText.h"
#include "plan/ReminderPass.h"
#include "platform/Clock.h"
#include "platform/EventPump.h"
#include "platform/Messenger.h"
#include "platform/Paths.h"
#include "settings/Settings.h"
#include "store/MessageStore.h"

namespace vesk {

PlanController::PlanController(
    const CoreServices &core, SettingsStore &settingsStore, Program &program, EditorGate &editors, QObject *parent)
    : PlanHost(parent)
    , m_core(core)
    , m_settingsStore(settingsStore)
    , m_program(program)
    , m_editors(editors)
    , m_plans(std::make_unique<PlanState>(settingsStore))
    , m_calendar(std::make_unique<CalendarState>(core.store.root(), paths::shippedDir() + QStringLiteral("/holidays")))
{ }

PlanController::~PlanController() = default;

const Settings &PlanController::settings() const
{
    return m_program.settings();
}

void PlanController::settingsRead()
{
    m_plans->PlanRegRead();
}

bool PlanController::startUpPassRunning() const
{
    return m_plans->index() >= 0;
}

void PlanController::reminderToStickyNote(const QString &date, const QString &comment)
{
    emit stickyNoteRequested(date, comment);
}

void PlanController::planStartUp()
{
    // FormCreate: the calendar as it was left, and the start-up pass from
    // the last plan.
    if (m_program.settings().CalFlag) {
        m_calendar->setOpen(true);
        spbTodayClick();
    }
    m_plans->setIndex(m_plans->count() - 1);
}

void PlanController::startUpReminderStep()
{
    const int index = m_plans->index();
    m_plans->setIndex(index - 1);
    // The list is only read again at the end of the pass; a line the store
    // lost meanwhile is simply passed over.
    if (index >= m_plans->count())
        return;
    m_plans->setIndex(index);
    m_plans->PlanSet();
    PlanRecord plan = m_plans->current();
    plan.comment = m_plans->comment();
    const QDateTime now = m_core.clock.now();
    const ReminderPass::Step step = ReminderPass::judge(plan, m_program.settings(), now);
    if (step.overdue)
        m_planOverdue = true;
    if (step.show) {
        if (m_program.settings().PlanWaveON)
            m_core.messenger.beep();
        PopUpOn(step.message, plan.dateTime, plan.comment);
    }
    // Every plan due before an overdue one is overdue too: advanced or
    // removed, an action plan without its action.
    if (m_planOverdue)
        m_plans->PlanReWrite(now);
    m_plans->setIndex(index - 1);
}

void PlanController::finishStartUpPass()
{
    m_plans->setIndex(0);
    m_plans->PlanRegRead();
    if (calendarOpen() && m_planOverdue)
        CalDaySet();
}

void PlanController::PopUpOn(const QString &message, const QString &dateTime, const QString &comment)
{
    const int offset = m_reminderOffset;
    m_reminderOffset += 5;
    emit reminderRequested(message, dateTime, comment, offset);
}

void PlanController::playPlanSound()
{
    if (!m_program.settings().PlanWaveON)
        return;
    if (!m_program.playSound(m_program.settings().PlanWave, SoundEvent::PlanAlarm))
        m_core.messenger.beep();
}

void PlanController::advancePlan(const QDateTime &now)
{
    m_plans->PlanReWrite(now);
    m_plans->setIndex(0);
    m_plans->PlanRegRead();
    if (calendarOpen())
        CalDaySet();
}

void PlanController::planActionMissing(const QString &feature)
{
    m_core.messenger.message(QStringLiteral("予定の「") + feature
        + QStringLiteral("」は、このバージョンのVeskではまだ実行できません。"));
}

bool PlanController::planDueCheck()
{
    // The editor writes the whole section when it closes: a plan advanced
    // now would come back from its lists.
    if (m_planEditorOpen || m_plans->count() == 0)
        return false;
    const QDateTime now = m_core.clock.now();
    PlanRecord plan = m_plans->current();
    if (!DueCheck::due(plan, now))
        return false;
    const QString comment = m_plans->comment();
    const DueCheck::Decision decision = DueCheck::decide(plan, comment, now, m_program.settings().DialMode != 0);
    const bool act = decision.withinAllowance;
    // Action plans move on before they act, so that whatever the action
    // waits for (a check, a prompt, a restart) cannot make them fire twice.
    switch (decision.what) {
    case DueCheck::Case::Connect:
        advancePlan(now);
        if (act && !(m_planActions.connected && m_planActions.connected())) {
            if (!m_planActions.connect) {
                planActionMissing(QStringLiteral("モデム自動接続"));
                return true;
            }
            m_planActions.connect();
            m_core.state.marker = QStringLiteral(" ");
        }
        return true;
    case DueCheck::Case::Disconnect:
        advancePlan(now);
        if (act && !m_planActions.disconnect) {
            planActionMissing(QStringLiteral("モデム自動断線"));
        } else if (act && m_planActions.connected && m_planActions.connected()) {
            const bool sending = m_program.sending();
            m_planActions.disconnect();
            // The "x" of a send given up stays.
            if (!sending)
                m_core.state.marker = QStringLiteral(" ");
        }
        return true;
    case DueCheck::Case::MailCheck:
        advancePlan(now);
        if (act)
            m_program.checkNow();
        return true;
    case DueCheck::Case::Launcher:
        advancePlan(now);
        if (act) {
            if (m_planActions.startLauncher)
                m_planActions.startLauncher(decision.launcherEntry);
            else
                planActionMissing(QStringLiteral("ランチャー・マクロ"));
        }
        return false;
    case DueCheck::Case::PowerOff:
        // Gone before the machine goes down, so it does not fire again
        // after the restart.
        m_plans->PlanReWrite(now);
        if (act) {
            m_core.messenger.beep();
            if (!m_planActions.powerOff) {
                planActionMissing(QStringLiteral("電源自動切断"));
            } else {
                if (m_program.settings().DialMode != 0 && m_planActions.connected && m_planActions.connected()
                    && m_planActions.disconnect) {
                    m_planActions.disconnect();
                    m_core.state.marker = QStringLiteral(" ");
                    m_core.pump.pause(1000);
                }
                m_planActions.powerOff();
            }
        }
        m_plans->setIndex(0);
        m_plans->PlanRegRead();
        if (calendarOpen())
            CalDaySet();
        return false;
    case DueCheck::Case::TimeSignal:
        advancePlan(now);
        if (act) {
            playPlanSound();
            m_program.showTimeSignal(plan.time());
        }
        return false;
    case DueCheck::Case::OldPlan:
        advancePlan(now);
        return false;
    case DueCheck::Case::Alert:
        if (!m_program.planAlertShown()) {
            playPlanSound();
            m_alertedPlan = plan.name();
            m_program.showPlanAlert(plan.time(), comment);
        }
        return false;
    }
    return false;
}

void PlanController::planAlertAcknowledged()
{
    // Only the plan that was announced is moved on: after midnight the
    // announced plan has gone its way and the current one is not yet shown.
    const QString alerted = m_alertedPlan;
    m_alertedPlan.clear();
    if (!alerted.isEmpty() && m_plans->count() > 0 && m_plans->current().name() == alerted)
        m_plans->PlanReWrite(m_core.clock.now());
    m_plans->setIndex(0);
    m_plans->PlanRegRead();
    if (calendarOpen())
        CalDaySet();
    // A further plan of the same minute is handled at once.
    m_program.tickAgainNow();
}

void PlanController::openPlanEditor()
{
    openPlanEditorFor(m_core.clock.now().date());
}

void PlanController::openPlanEditorFor(const QDate &reference)
{
    if (m_editors.refuse())
        return;
    m_editors.setOpen(true);
    m_planEditorOpen = true;
    emit planEditorRequested(reference);
}

void PlanController::planEditorClosed()
{
    m_editors.setOpen(false);
    m_planEditorOpen = false;
    m_plans->setIndex(0);
    m_program.readSettingsAgain();
    if (calendarOpen())
        CalDaySet();
}

} // namespace vesk
