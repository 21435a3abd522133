#include "plan/gui/PlanWindows.h"

#include "plan/LauncherCaptions.h"
#include "plan/PlanEditorModel.h"
#include "plan/PlanHost.h"
#include "plan/PlanKeywords.h"
#include "plan/gui/CalendarPanel.h"
#include "plan/gui/PlanForm.h"
#include "plan/gui/PopUpForm.h"
#include "settings/Settings.h"

#include <QGuiApplication>
#include <QScreen>

namespace vesk {

PlanWindows::PlanWindows(
    PlanHost &host, SettingsStore &store, const Clock &clock, Messenger &messenger, QObject *parent)
    : QObject(parent)
    , m_c(host)
    , m_store(store)
    , m_clock(clock)
    , m_messenger(messenger)
    , m_panel(new CalendarPanel(host))
{
    // The editor runs from the event loop, not inside the command that
    // asked for it.
    connect(&m_c, &PlanHost::planEditorRequested, this, &PlanWindows::openEditor, Qt::QueuedConnection);
    connect(&m_c, &PlanHost::reminderRequested, this, &PlanWindows::showReminder);
}

PlanWindows::~PlanWindows()
{
    // Unless the strip took it.
    if (m_panel && !m_panel->parent())
        delete m_panel;
}

void PlanWindows::openEditor(const QDate &reference)
{
    const Settings &settings = m_c.settings();
    PlanEditorModel model(m_store, m_messenger, m_clock, reference);
    const QList<PlanKeywords::Item> keywords
        = PlanKeywords::items(settings.DialMode != 0, LauncherCaptions::fromSection(settings.LuncherLines));
    TPlanForm form(model, keywords, m_store);
    connect(&form, &TPlanForm::helpRequested, this, &PlanWindows::helpRequested);
    form.exec();
    m_c.planEditorClosed();
}

void PlanWindows::showReminder(
    const QString &message, const QString &dateTime, const QString &comment, int offset)
{
    auto *window = new TPopUpForm(message, dateTime, comment);
    window->setCopyOffered(m_c.settings().PelmaItemsEnabled);
    connect(window, &TPopUpForm::copyRequested, &m_c, &PlanHost::reminderToStickyNote);
    const QScreen *screen = QGuiApplication::primaryScreen();
    window->placeCentred(screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768), offset);
    // Above everything once, but not kept there.
    window->show();
    window->raise();
    window->activateWindow();
}

} // namespace vesk
