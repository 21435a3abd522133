#include "ControllerFixture.h"

#include "plan/CalendarLayout.h"
#include "plan/CalendarState.h"
#include "plan/PlanController.h"
#include "plan/PlanState.h"

namespace vesk::test {
namespace {

struct Reminder
{
    QString message, dateTime, comment;
    int offset;
};

} // namespace

// Plans at start-up and at their time, with fake time: the clock starts on
// Sunday 2026/12/06 08:00 unless a test sets it.
class ControllerPlans : public ControllerTest
{
protected:
    ControllerPlans() { settings.writeInteger("Config", "RoundGo", 0); }

    void plan(const char *name, const char *data)
    {
        settings.writeString("Plan", QString::fromUtf8(name), QString::fromUtf8(data));
    }
    Controller &run()
    {
        Controller &c = make();
        QObject::connect(&c.planner(), &PlanHost::reminderRequested,
            [this](const QString &m, const QString &d, const QString &t, int o) {
                reminders.push_back({ m, d, t, o });
            });
        return c;
    }
    // Through the start-up pass, one tick per plan and the last one.
    void pass() { m_timers.advance(50 * (settings.readSection("Plan").size() + 1)); }
    // Minute ticks until the clock shows `time` (hh:mm) of today.
    void until(const char *time)
    {
        const QTime target = QTime::fromString(QString::fromLatin1(time), "HH:mm");
        while (m_clock.now().time() < target)
            m_timers.advance(60000);
    }
    static int cellOf(const Controller &c, int day)
    {
        return CalendarLayout::cellOfDay(c.planner().calendar().firstWeekday(), day);
    }
    bool stored(const char *name) { return settings.contains("Plan", QString::fromUtf8(name)); }

    std::vector<Reminder> reminders;
};

TEST_F(ControllerPlans, StartUpPassAnnouncesOverdueTodayAndAhead)
{
    m_clock.set(QDateTime(QDate(2026, 12, 6), QTime(9, 0)));
    plan("2026/12/05 10:00 00", "0 0 昨日の予定");
    plan("2026/12/06 18:00 00", "1 0 誕生会");
    plan("2026/12/08 12:00 00", "1 0 記念日");
    plan("2026/12/06 07:00 00", "4 0 毎日の予定");
    plan("2026/12/05 07:00 00", "0 0 @TimeSignal@");
    run();
    pass();
    // From the last plan to the first, two windows 5 pixels apart.
    ASSERT_EQ(reminders.size(), 3u);
    EXPECT_EQ(reminders[0].message, "2日後に予定があります");
    EXPECT_EQ(reminders[1].message, "本日予定があります");
    EXPECT_EQ(reminders[2].message, "予定が過ぎています");
    EXPECT_EQ(reminders[2].dateTime, "2026/12/05 10:00");
    EXPECT_EQ(reminders[2].comment, "昨日の予定");
    EXPECT_EQ(reminders[0].offset, 0);
    EXPECT_EQ(reminders[2].offset, 10);
    EXPECT_EQ(m_messenger.beeps, 3);
    // The overdue one-off is gone, the daily plan moved on without a window,
    // the action plan before them moved on without acting.
    EXPECT_FALSE(stored("2026/12/05 10:00 00"));
    EXPECT_FALSE(stored("2026/12/05 07:00 00"));
    EXPECT_TRUE(stored("2026/12/07 07:00 00"));
    EXPECT_EQ(sounds, 0);
    EXPECT_EQ(controller->planner().plans().index(), 0);
}

TEST_F(ControllerPlans, AheadOnlyWithTheModesSetting)
{
    settings.writeInteger("Config", "BeforeYear", 0);
    plan("2026/12/08 12:00 00", "1 0 記念日");
    run();
    pass();
    EXPECT_TRUE(reminders.empty());
}

TEST_F(ControllerPlans, AlertAtItsTimeSoundsOnceAndSawMovesThePlanOn)
{
    plan("2026/12/06 08:05 00", "1 0 誕生会");
    Controller &c = run();
    pass();
    until("08:04");
    EXPECT_FALSE(c.strip().display().planAlert());
    until("08:07");
    EXPECT_EQ(c.strip().display().dateLabel(), "< 08:05 = 誕生会 > ");
    EXPECT_EQ(sounds, 1);
    EXPECT_EQ(soundEvent, SoundEvent::PlanAlarm);
    EXPECT_TRUE(atoms.exists(StripController::TalkedAtom));
    c.strip().acknowledgePlanAlert();
    EXPECT_FALSE(c.strip().display().planAlert());
    EXPECT_FALSE(atoms.exists(StripController::TalkedAtom));
    EXPECT_FALSE(stored("2026/12/06 08:05 00"));
    EXPECT_TRUE(stored("2027/12/06 08:05 00"));
}

TEST_F(ControllerPlans, KeywordPlansActOnlyWithinTheirAllowance)
{
    struct Row
    {
        const char *comment;
        int lateMinutes;
        int sounds, downloads;
    };
    const Row rows[] = {
        { " @timesignal@ ", 0, 1, 0 },
        { "@TimeSignal@", 3, 0, 0 },
        { "@MailCheck@", 1, 0, 1 },
        { "@MailCheck@", 2, 0, 0 },
    };
    for (const Row &row : rows) {
        m_clock.set(QDateTime(QDate(2026, 12, 6), QTime(8, 0)));
        settings.eraseSection("Plan");
        plan("2026/12/06 08:05 00", (QByteArray("0 0 ") + row.comment).constData());
        provider.downloads = 0;
        sounds = 0;
        Controller &c = run();
        pass();
        until("08:04");
        // The machine sleeps.
        m_clock.set(m_clock.now().addSecs(60 * row.lateMinutes));
        m_timers.advance(60000);
        EXPECT_EQ(sounds, row.sounds) << row.comment << row.lateMinutes;
        EXPECT_EQ(provider.downloads, row.downloads) << row.comment << row.lateMinutes;
        EXPECT_TRUE(settings.readSection("Plan").isEmpty()) << row.comment << row.lateMinutes;
        if (row.sounds) {
            EXPECT_EQ(c.strip().display().dateLabel(), "<時報> ");
            EXPECT_EQ(c.strip().display().timeLabel(), "08:05");
            m_timers.advance(55 * 1000);
            EXPECT_NE(c.strip().display().dateLabel(), "<時報> ");
        }
    }
}

TEST_F(ControllerPlans, PowerOffPlanIsGoneBeforeThePowerGoes)
{
    plan("2026/12/06 08:05 00", "0 0 @PowerOFF@");
    Controller &c = run();
    bool stillStored = true;
    PlanActions actions;
    actions.powerOff = [&] { stillStored = stored("2026/12/06 08:05 00"); };
    c.planner().planActions() = actions;
    pass();
    until("08:06");
    EXPECT_FALSE(stillStored);
    EXPECT_EQ(c.planner().plans().count(), 0);
}

TEST_F(ControllerPlans, ALauncherPlanStartsItsEntryAndAMissingPartSaysSo)
{
    settings.writeString("Luncher", "00", "Tool,/usr/bin/tool,\" \",\" \",");
    plan("2026/12/06 08:05 00", "0 0 @LNC00：Tool@");
    plan("2026/12/06 08:05 01", "0 0 @PowerOFF@");
    run();
    pass();
    until("08:06");
    ASSERT_EQ(desktop.starts.size(), 1);
    EXPECT_TRUE(desktop.starts[0].startsWith("/usr/bin/tool|"));
    EXPECT_EQ(m_messenger.messages,
        QStringList { "予定の「電源自動切断」は、このバージョンのVeskではまだ実行できません。" });
}

TEST_F(ControllerPlans, AlertLeftAtMidnightMovesOnAndTheNextPlanIsShownAfterSaw)
{
    m_clock.set(QDateTime(QDate(2026, 12, 6), QTime(23, 50)));
    plan("2026/12/06 23:58 00", "0 0 夜の予定");
    plan("2026/12/07 00:03 00", "0 0 朝の予定");
    Controller &c = run();
    pass();
    until("23:59");
    ASSERT_TRUE(c.strip().display().planAlert());
    EXPECT_EQ(sounds, 1);
    // Past midnight: the old plan moves on quietly, the alert stays.
    m_timers.advance(60000 * 10);
    EXPECT_FALSE(stored("2026/12/06 23:58 00"));
    EXPECT_EQ(c.strip().display().dateLabel(), "< 23:58 = 夜の予定 > ");
    EXPECT_EQ(sounds, 1);
    // "Saw" does not take the next plan for the one announced: it is shown.
    c.strip().acknowledgePlanAlert();
    EXPECT_TRUE(stored("2026/12/07 00:03 00"));
    EXPECT_EQ(c.strip().display().dateLabel(), "< 00:03 = 朝の予定 > ");
    EXPECT_EQ(sounds, 2);
}

TEST_F(ControllerPlans, CalendarOpensClosesAndPlanningHoldsTheTimer)
{
    Controller &c = run();
    pass();
    c.planner().toggleCalendar();
    EXPECT_TRUE(c.planner().calendarOpen());
    EXPECT_EQ(c.strip().layout(), StripLayout::Calendar);
    EXPECT_EQ(settings.readInteger("Disp", "CalFlag", 0), 1);
    EXPECT_EQ(c.planner().calendar().title(), "2026年 12月");
    c.planner().calendarNext();
    EXPECT_EQ(c.planner().calendar().title(), "2027年 1月");
    c.planner().calendarToday();
    // The strip's clock stands while the days are planned, a check included.
    c.planner().toggleHolidayPlanning();
    const QString clock = c.strip().display().timeLabel();
    c.checkNow();
    m_timers.advance(2 * 60000);
    EXPECT_EQ(c.strip().display().timeLabel(), clock);
    c.planner().calendarDayClicked(cellOf(c, 24));
    c.planner().toggleHolidayPlanning();
    m_timers.advance(60000);
    EXPECT_NE(c.strip().display().timeLabel(), clock);
    EXPECT_TRUE(QFile::exists(m_dir.path() + "/2026.HLD"));

    // A day's editor while another editor is open only beeps.
    QDate asked;
    QObject::connect(&c.planner(), &PlanHost::planEditorRequested, [&](const QDate &day) { asked = day; });
    c.planner().calendarDayDoubleClicked(cellOf(c, 25));
    EXPECT_EQ(asked, QDate(2026, 12, 25));
    const int beeps = m_messenger.beeps;
    c.planner().calendarDayDoubleClicked(cellOf(c, 26));
    EXPECT_EQ(m_messenger.beeps, beeps + 1);
    c.planner().planEditorClosed();

    c.planner().toggleCalendar();
    EXPECT_FALSE(c.planner().calendarOpen());
    EXPECT_EQ(c.strip().layout(), StripLayout::Normal);
    EXPECT_EQ(settings.readInteger("Disp", "CalFlag", 1), 0);
}

} // namespace vesk::test
