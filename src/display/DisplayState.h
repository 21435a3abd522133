#pragma once

#include "platform/Clock.h"

#include <QString>

namespace vesk {

// What the main strip shows: the display mode that the rest of the program
// requests (`DispSet`) and the date and time label texts that go with it.
// Windows draw this; the headless run and `vesk --status` read it.
class DisplayState final
{
public:
    enum Mode : int {
        Normal = 0,
        MailOn = 1,
        NonMail = 3,
        Password = 4,
        ConnectNG = 5,
        LineUp = 6,
        Calendar = 7,
        TimeSignal = 9,
        AfterQuestion = 10,
        HowNow = 12,
        PlanAlert = 13,
        DialPanel = 14,
        AfterHangUp = 15,
    };

    // The display menu's flags.
    struct Flags
    {
        bool wareki = false;
        bool seireki = false;
        bool date = true;
        bool week = true;
        bool time = true;
        bool close = true;
    };

    explicit DisplayState(const Clock &clock);

    void setFlags(const Flags &flags) { m_flags = flags; }
    const Flags &flags() const { return m_flags; }
    // Nothing to show: the strip stays hidden.
    bool hiddenMode() const;

    // Sets the mode and the labels that go with it.
    void dispSet(int mode);

    // A plan alert stands over every mode: the date label shows
    // "< time = comment > " while it lasts.
    void setPlanAlert(const QString &time, const QString &comment);
    void clearPlanAlert();
    bool planAlert() const { return m_planAlert; }
    // The plan's time that the time signal (mode 9) shows.
    void setSignalTime(const QString &time) { m_signalTime = time; }
    int mode() const { return m_mode; }

    void dateWrite();
    void timeSet();
    // The dial-up connection time in the title: "+ " and "h:mm:ss" instead
    // of the date and the clock.
    void showConnectTime(const QString &time);

    // The title text shows the new-mail colour: from the new-mail display
    // until the mail is taken or acknowledged, even after the animation ended.
    bool mailColour() const { return m_mailColour; }
    void setMailColour(bool on) { m_mailColour = on; }

    QString dateLabel() const { return m_dateLabel; }
    QString timeLabel() const { return m_timeLabel; }
    // The remembered "yyyy/mm/dd" for the minute tick's day-change test.
    QString rememberedDate() const { return m_rememberedDate; }

    // One line for status bars: the labels as shown, or the mode's own text.
    QString statusText() const;

    // The era initial and era year of a date ("R8" for 2026).
    static QString eraText(const QDate &date);
    static QString weekdayText(const QDate &date);

private:
    const Clock &m_clock;
    Flags m_flags;
    int m_mode = Normal;
    bool m_planAlert = false;
    QString m_planText;
    QString m_signalTime;
    bool m_mailColour = false;
    QString m_dateLabel;
    QString m_timeLabel;
    QString m_rememberedDate;
};

} // namespace vesk
