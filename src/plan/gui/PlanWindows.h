#pragma once

#include <QObject>
#include <QPointer>

namespace vesk {

class CalendarPanel;
class Clock;
class PlanHost;
class Messenger;
class SettingsStore;

// The organiser's windows of the running program: the calendar panel that
// the strip shows, the plan editor when the controller asks for it, and a
// reminder window for each reminder of the start-up pass.
class PlanWindows final : public QObject
{
    Q_OBJECT

public:
    PlanWindows(PlanHost &host, SettingsStore &store, const Clock &clock, Messenger &messenger,
        QObject *parent = nullptr);
    ~PlanWindows() override;

    // The panel, for the strip to take into its calendar area.
    CalendarPanel *calendarPanel() const { return m_panel; }

    // The plan editor for a reference day, modal; the controller hears when
    // it has closed.
    void openEditor(const QDate &reference);
    // PopUpOn: a new reminder window, off the screen's centre by `offset`.
    void showReminder(const QString &message, const QString &dateTime, const QString &comment, int offset);

signals:
    void helpRequested();

private:
    PlanHost &m_c;
    SettingsStore &m_store;
    const Clock &m_clock;
    Messenger &m_messenger;
    QPointer<CalendarPanel> m_panel;
};

} // namespace vesk
