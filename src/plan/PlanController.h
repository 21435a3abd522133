#pragma once

#include "plan/PlanActions.h"
#include "plan/PlanHost.h"
#include "platform/Sound.h"

#include <QDateTime>

#include <memory>

namespace vesk {

class CalendarState;
class EditorGate;
class PlanState;
class SettingsStore;
struct CoreServices;

// Plans, reminders and the calendar: the plans read from the settings, the
// start-up reminder pass, the plans that fall due at the minute tick and the
// calendar in the strip. Its windows see it as their PlanHost; the rest of
// the program it reaches through Program.
class PlanController final : public PlanHost
{
    Q_OBJECT

public:
    // What plans ask of the resident program around them.
    class Program
    {
    public:
        virtual ~Program() = default;
        // The settings as last read; the calendar keeps CalFlag and the
        // week colours in them current.
        virtual Settings &settings() = 0;
        // RetMain: the settings read and applied again.
        virtual void readSettingsAgain() = 0;
        // DispSet, and what the strip shows now.
        virtual void showDisplay(int mode) = 0;
        virtual bool mailAnnounced() const = 0;
        virtual bool planAlertShown() const = 0;
        virtual void showPlanAlert(const QString &time, const QString &comment) = 0;
        // A time signal: its time on the strip for a while.
        virtual void showTimeSignal(const QString &time) = 0;
        // Plays a wave file or the event's sound; false when nothing can play.
        virtual bool playSound(const QString &waveFile, SoundEvent event) = 0;
        virtual void stopMinuteTimer() = 0;
        virtual void startMinuteTimer() = 0;
        // The minute tick once more now (outside the start-up pass, while the
        // timer runs), for a further plan of the same minute.
        virtual void tickAgainNow() = 0;
        virtual bool checkNow() = 0;
        virtual bool sending() const = 0;
    };

    PlanController(const CoreServices &core, SettingsStore &settingsStore, Program &program,
        EditorGate &editors, QObject *parent = nullptr);
    ~PlanController() override;

    // What action plans do through other parts of the program; the resident
    // program fills it in.
    PlanActions &planActions() { return m_planActions; }
    // Where the national holiday files shipped with the program are.
    void setShippedHolidays(const QString &folder);

    const Settings &settings() const override;
    const CalendarState &calendar() const override { return *m_calendar; }
    const PlanState &plans() const { return *m_plans; }
    bool calendarOpen() const;
    bool holidayPlanning() const;

    // mnuPlanClick: the plan editor for today; one editor dialog at a time
    // (a second request beeps).
    void openPlanEditor();
    void planEditorClosed() override;
    // mnuCalClick (and Esc): the calendar shown, or closed when it is shown.
    void toggleCalendar();
    void closeCalendar() override;
    void calendarPrevious() override;
    void calendarNext() override;
    void calendarToday() override;
    // "休": holiday planning on or off; the minute timer waits meanwhile.
    void toggleHolidayPlanning() override;
    void calendarDayClicked(int cell) override;
    void calendarDayDoubleClicked(int cell) override;
    void setCalendarColour(int number, ColorValue colour) override;
    // The seven colours back to their defaults at the next start.
    void resetCalendarColours() override;
    void reminderToStickyNote(const QString &date, const QString &comment) override;

    // --- What the resident program tells it ---

    // The settings were read again: so are the plans.
    void settingsRead();
    // FormCreate: the calendar as it was left, the start-up pass from the last plan.
    void planStartUp();
    // The start-up pass: one plan per tick while it runs.
    bool startUpPassRunning() const;
    void startUpReminderStep();
    void finishStartUpPass();
    // The minute tick: a plan whose time has come. True when the tick ends here.
    bool planDueCheck();
    // spbOKClick on "Saw": the alerted plan moves on.
    void planAlertAcknowledged();
    // The date changed: the calendar shows today's month.
    void calendarDateChanged();
    // The end: holiday planning under way is saved.
    void saveHolidaysAtQuit();

signals:
    // The reminder's text is to become a sticky note.
    void stickyNoteRequested(const QString &date, const QString &comment);

private:
    void advancePlan(const QDateTime &now);
    void PopUpOn(const QString &message, const QString &dateTime, const QString &comment);
    void playPlanSound();
    void planActionMissing(const QString &feature);
    void spbTodayClick();
    bool CalDaySet();
    void calendarMoved(int fromYear, int fromMonth);
    bool leaveHolidayPlanning();
    void openPlanEditorFor(const QDate &reference);

    const CoreServices &m_core;
    SettingsStore &m_settingsStore;
    Program &m_program;
    EditorGate &m_editors;
    std::unique_ptr<PlanState> m_plans;
    std::unique_ptr<CalendarState> m_calendar;
    PlanActions m_planActions;
    bool m_planOverdue = false; // the start-up pass met an overdue plan
    bool m_planEditorOpen = false;
    QString m_alertedPlan; // the name of the plan whose alert stands
    int m_reminderOffset = 0;
};

} // namespace vesk
