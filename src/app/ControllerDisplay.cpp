#include "app/Controller.h"
#include "app/AccessoriesController.h"
#include "app/PlanController.h"
#include "app/SettingsController.h"
#include "mail/CoreServices.h"
#include "mail/SessionState.h"
#include "platform/GlobalAtoms.h"
#include "platform/Messenger.h"
#include "settings/SettingsStore.h"
#include "settings/SettingsTable.h"
#include "store/MessageStore.h"

namespace vesk {
namespace {

// The display menu's flags by tag.
constexpr bool Settings::*DisplayFlags[] = {
    &Settings::Wareki,
    &Settings::Seireki,
    &Settings::Date,
    &Settings::Week,
    &Settings::Time,
    &Settings::Close,
    &Settings::Pelma,
};

} // namespace

void Controller::toggleDisplayFlag(int tag)
{
    // mnuTimeClick
    if (tag < 1 || tag > int(std::size(DisplayFlags)))
        return;
    bool Settings::*const flag = DisplayFlags[tag - 1];
    if (tag == 7 && !m_settings.PelmaMenuEnabled)
        return;
    bool &value = m_settings.*flag;
    value = !value;
    SettingsTable::setValue(m_settingsStore, flag, value);
    if (tag == 7)
        m_settings.PelmaItemsEnabled = m_settings.Pelma && m_settings.PelmaMenuEnabled;
    m_display.setFlags({ m_settings.Wareki, m_settings.Seireki, m_settings.Date, m_settings.Week,
        m_settings.Time, m_settings.Close });
    m_settings.HiddenMode = m_display.hiddenMode();
    // Nothing to show: the animation must not keep a hidden strip up.
    if (m_settings.HiddenMode)
        m_settings.ShutNot = true;
    emit settingsChanged(m_settings);
    if (tag == 7)
        m_accessories->stickyNoteOptionChanged();
    DispSet(DisplayState::Normal);
}

void Controller::setPositionMode(int mode)
{
    if (mode < 0 || mode > 3)
        return;
    m_settings.PosiMode = mode;
    m_settings.MainPositionApplies = mode == 0 || mode == 3;
    SettingsTable::setValue(m_settingsStore, &Settings::PosiMode, mode);
    emit settingsChanged(m_settings);
    emit displayChanged();
}

void Controller::savePosition(int left, int top)
{
    if (m_settingsDialog->erased())
        return;
    m_settings.MainLeft = left;
    m_settings.MainTop = top;
    SettingsStore::Batch batch(m_settingsStore);
    SettingsTable::setValue(m_settingsStore, &Settings::MainTop, top);
    SettingsTable::setValue(m_settingsStore, &Settings::MainLeft, left);
}

void Controller::trayClicked()
{
    // Forward, unless the strip is kept hidden (only the tray icon shows).
    if (!m_display.hiddenMode())
        emit raiseRequested();
    // In dial-up mode a click must not dial: the menu does that.
    if (m_settings.DialMode == 0)
        checkNow();
}

void Controller::stopAnimation()
{
    setNewMail(m_newMailCount, m_mailAnnounced, false);
    DispSet(DisplayState::Normal);
}

void Controller::popUpCheck()
{
    if (boxCount(Box::InBox) > 0)
        return;
    if (m_settings.DevideON && (boxCount(Box::InBox1) > 0 || boxCount(Box::InBox2) > 0))
        return;
    emit boxCaptionChanged(QStringLiteral("送受信箱 <Last ") + m_lastTime + QLatin1Char('>'));
    m_display.setMailColour(false);
    setNewMail(0, false, false);
    if (!m_core.state.running())
        DispSet(DisplayState::Normal);
    else
        emit displayChanged();
    m_atoms.remove(TalkedAtom);
}

void Controller::showPlanAlert(const QString &time, const QString &comment)
{
    m_display.setPlanAlert(time, comment);
    m_atoms.add(TalkedAtom);
    DispSet(DisplayState::PlanAlert);
}

void Controller::acknowledgePlanAlert()
{
    if (!m_display.planAlert())
        return;
    m_display.clearPlanAlert();
    if (!m_mailAnnounced)
        m_atoms.remove(TalkedAtom);
    DispSet(DisplayState::Normal);
    m_planner->planAlertAcknowledged();
}

void Controller::notYetAvailable(const QString &feature)
{
    m_core.messenger.message(
        QStringLiteral("「") + feature + QStringLiteral("」は、このバージョンのVeskではまだ使えません。"));
}

} // namespace vesk
