#include "app/gui/VeskMainForm.h"
#include "plan/CalendarLayout.h"
#include "plan/CalendarState.h"
#include "plan/LauncherCaptions.h"
#include "plan/PlanController.h"
#include "plan/PlanKeywords.h"
#include "plan/gui/CalendarGrid.h"
#include "plan/gui/CalendarPanel.h"
#include "plan/gui/PlanForm.h"
#include "plan/gui/PopUpForm.h"
#include "support/WindowFixture.h"

#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

#include <gtest/gtest.h>

namespace vesk::test {

// The organiser's windows drawn offscreen from a controller with fake time,
// with a picture of each for a person to look at.
class OrganiserWindows : public WindowFixture
{
protected:
    OrganiserWindows()
    {
        settings.writeInteger("Config", "MailRound", 0);
        settings.writeString("Plan", "2026/12/07 18:30 00", "0 0 忘年会の店を予約");
        settings.writeString("Plan", "2026/12/07 09:00 00", "1 0 母の誕生日");
        settings.writeString("Plan", "2026/12/24 19:00 00", "0 0 クリスマス会");
        settings.writeString("Plan", "2026/12/08 08:00 00", "4 0 朝の薬");
        settings.writeString("Plan", "2026/12/11 12:00 00", "0 0 @TimeSignal@");
        settings.writeString("Luncher", "00", "メモ帳,/usr/bin/gedit, , , , , ");
    }
    void SetUp() override
    {
        WindowFixture::SetUp();
        controller.planner().setShippedHolidays(sourceDir() + "/resources/holidays");
        start();
        strip.setCalendarPanel(panel);
    }

    void picture(QWidget &window, const char *name)
    {
        WindowFixture::picture(window, QString::fromLatin1(name));
    }
    int cellOf(int day) const { return CalendarLayout::cellOfDay(controller.planner().calendar().firstWeekday(), day); }
    QPoint centreOf(int day) const { return panel->grid()->cellRect(cellOf(day)).center(); }

    VeskMainForm strip { controller };
    CalendarPanel *panel = new CalendarPanel(controller.planner());
};

TEST_F(OrganiserWindows, CalendarInTheStrip)
{
    QTest::keyClick(&strip, Qt::Key_Escape);
    ASSERT_TRUE(controller.planner().calendarOpen());
    EXPECT_EQ(strip.shownLayout(), StripLayout::Calendar);
    EXPECT_EQ(panel->titleText(), "2026年 12月");
    EXPECT_TRUE(panel->isVisibleTo(&strip));
    // The panel fits in the strip, whole.
    EXPECT_GE(strip.width(), panel->sizeHint().width());
    picture(strip, "calendar-strip");

    QTest::keyClick(&strip, Qt::Key_Left);
    EXPECT_EQ(panel->titleText(), "2026年 11月");
    QTest::keyClick(&strip, Qt::Key_Down);
    EXPECT_EQ(panel->titleText(), "2026年 12月");

    // Holiday planning: two days, written when planning ends.
    controller.planner().toggleHolidayPlanning();
    EXPECT_TRUE(panel->planningShown());
    QTest::mouseClick(panel->grid(), Qt::LeftButton, {}, centreOf(28));
    QTest::mouseClick(panel->grid(), Qt::LeftButton, {}, centreOf(29));
    picture(strip, "calendar-planning");
    controller.planner().toggleHolidayPlanning();
    QFile hld(m_dir.path() + "/2026.HLD");
    ASSERT_TRUE(hld.open(QIODevice::ReadOnly));
    EXPECT_TRUE(hld.readAll().endsWith("<12>\r\n28\r\n29\r\n"));

    // A colour chosen on a header.
    panel->setColourChooser([](const QColor &, int) { return QColor(255, 255, 0); });
    QTest::mouseDClick(panel->grid(), Qt::LeftButton, {}, panel->grid()->headerRect(4).center());
    EXPECT_EQ(settings.readString("Config", "WeekColor4"), "clYellow");

    QTest::keyClick(&strip, Qt::Key_Escape);
    EXPECT_FALSE(controller.planner().calendarOpen());
    EXPECT_EQ(strip.shownLayout(), StripLayout::Normal);
}

TEST_F(OrganiserWindows, DoubleClickOnADayAsksForItsEditor)
{
    controller.planner().toggleCalendar();
    QDate asked;
    QObject::connect(&controller.planner(), &PlanHost::planEditorRequested, [&](const QDate &day) { asked = day; });
    QTest::mouseDClick(panel->grid(), Qt::LeftButton, {}, centreOf(24));
    EXPECT_EQ(asked, QDate(2026, 12, 24));
}

TEST_F(OrganiserWindows, PlanEditorPages)
{
    PlanEditorModel model(settings, m_messenger, m_clock, QDate(2026, 12, 7));
    const Settings &s = controller.settings();
    TPlanForm form(
        model, PlanKeywords::items(false, LauncherCaptions::fromSection(s.LuncherLines)), settings);
    form.show();
    EXPECT_EQ(form.windowTitle(), "Vesk予定時間設定");
    EXPECT_EQ(form.list(PlanEditorModel::Page::One)->topLevelItemCount(), 3);
    EXPECT_FALSE(form.modeList()->isEnabled());
    // The keyword menu ends with the launcher's entry.
    const QList<QAction *> keywords = form.keywordMenu()->actions();
    ASSERT_FALSE(keywords.isEmpty());
    EXPECT_EQ(keywords.last()->text(), "メモ帳");
    keywords.last()->trigger();
    EXPECT_EQ(form.commentField()->text(), "@LNC00：メモ帳@");
    form.button("クリア")->click();
    EXPECT_EQ(form.commentField()->text(), "");
    picture(form, "plan-editor-one");

    form.button("毎回知らせる予定(&E)")->click();
    EXPECT_TRUE(form.modeList()->isEnabled());
    form.modeList()->setCurrentIndex(3);
    EXPECT_TRUE(form.weekdayList()->isEnabled());
    form.weekdayList()->setCurrentIndex(4);
    form.commentField()->setText("燃えるゴミの日");
    form.button("追加")->click();
    QTreeWidget *every = form.list(PlanEditorModel::Page::Every);
    ASSERT_EQ(every->topLevelItemCount(), 3);
    EXPECT_EQ(every->topLevelItem(2)->text(3), "3-毎週連絡する曜日");
    picture(form, "plan-editor-every");

    // A time field takes what is typed in place of its text, and Enter
    // moves on instead of closing.
    QComboBox *hour = form.hourList();
    QFocusEvent focus(QEvent::FocusIn, Qt::MouseFocusReason);
    QApplication::sendEvent(hour, &focus);
    QCoreApplication::processEvents();
    QTest::keyClicks(hour, "15");
    EXPECT_EQ(hour->currentText(), "15");
    QTest::keyClick(hour, Qt::Key_Return);
    EXPECT_TRUE(form.isVisible());

    // Esc with a plan added asks; "No" keeps the editor and its plans.
    m_messenger.answer = Messenger::Answer::No;
    QTest::keyClick(&form, Qt::Key_Escape);
    EXPECT_TRUE(form.isVisible());
    EXPECT_EQ(m_messenger.questions.size(), 1);
    EXPECT_EQ(every->topLevelItemCount(), 3);
}

TEST_F(OrganiserWindows, ReminderWindowsByTheirCaption)
{
    struct Row
    {
        const char *caption;
        QColor colour;
        const char *picture;
    };
    const Row rows[] = {
        { "予定が過ぎています", QColor(128, 0, 0), "reminder-overdue" },
        { "本日予定があります", QColor(128, 128, 0), "reminder-today" },
        { "2日後に予定があります", QColor(0, 128, 0), "reminder-ahead" },
    };
    for (const Row &row : rows) {
        auto *window = new TPopUpForm(QString::fromUtf8(row.caption), "2026/12/07 18:30", "忘年会の店を予約");
        window->show();
        EXPECT_EQ(window->panelColour(), row.colour);
        EXPECT_EQ(window->width(), 225);
        EXPECT_GE(window->height(), 85);
        picture(*window, row.picture);
        window->close();
    }
}

} // namespace vesk::test
