#include "app/StripController.h"

#include "mail/CoreServices.h"
#include "mail/SessionState.h"
#include "platform/GlobalAtoms.h"
#include "settings/Settings.h"
#include "settings/SettingsStore.h"
#include "settings/SettingsTable.h"

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

StripController::StripController(const CoreServices &core, SettingsStore &settingsStore, GlobalAtoms &atoms,
    Program &program, QObject *parent)
    : QObject(parent)
    , m_core(core)
    , m_settingsStore(settingsStore)
    , m_atoms(atoms)
    , m_program(program)
    , m_display(core.clock)
{
    m_core.state.marker.setObserver([this](const QString &marker) { emit markerChanged(marker); });
}

StripController::~StripController()
{
    m_core.state.marker.setObserver({});
}

void StripController::toggleDisplayFlag(int tag)
{
    // mnuTimeClick
    if (tag < 1 || tag > int(std::size(DisplayFlags)))
        return;
    Settings &settings = m_program.settings();
    bool Settings::*const flag = DisplayFlags[tag - 1];
    if (tag == 7 && !settings.PelmaMenuEnabled)
        return;
    bool &value = settings.*flag;
    value = !value;
    SettingsTable::setValue(m_settingsStore, flag, value);
    if (tag == 7)
        settings.PelmaItemsEnabled = settings.Pelma && settings.PelmaMenuEnabled;
    m_display.setFlags(
        { settings.Wareki, settings.Seireki, settings.Date, settings.Week, settings.Time, settings.Close });
    settings.HiddenMode = m_display.hiddenMode();
    // Nothing to show: the animation must not keep a hidden strip up.
    if (settings.HiddenMode)
        settings.ShutNot = true;
    m_program.settingsChanged();
    if (tag == 7)
        m_program.stickyNoteOptionChanged();
    DispSet(DisplayState::Normal);
}

void StripController::setPositionMode(int mode)
{
    if (mode < 0 || mode > 3)
        return;
    Settings &settings = m_program.settings();
    settings.PosiMode = mode;
    settings.MainPositionApplies = mode == 0 || mode == 3;
    SettingsTable::setValue(m_settingsStore, &Settings::PosiMode, mode);
    m_program.settingsChanged();
    emit displayChanged();
}

void StripController::savePosition(int left, int top)
{
    if (m_program.settingsErased())
        return;
    Settings &settings = m_program.settings();
    settings.MainLeft = left;
    settings.MainTop = top;
    SettingsStore::Batch batch(m_settingsStore);
    SettingsTable::setValue(m_settingsStore, &Settings::MainTop, top);
    SettingsTable::setValue(m_settingsStore, &Settings::MainLeft, left);
}

void StripController::showPlanAlert(const QString &time, const QString &comment)
{
    m_display.setPlanAlert(time, comment);
    m_atoms.add(TalkedAtom);
    DispSet(DisplayState::PlanAlert);
}

void StripController::acknowledgePlanAlert()
{
    if (!m_display.planAlert())
        return;
    m_display.clearPlanAlert();
    if (!m_program.mailAnnounced())
        m_atoms.remove(TalkedAtom);
    DispSet(DisplayState::Normal);
    m_program.planAlertAcknowledged();
}

void StripController::DispSet(int mode)
{
    if (m_program.closeRequested())
        return;
    if (!m_program.mailWaiting())
        m_display.setMailColour(false);
    m_display.dispSet(mode);
    if (!m_program.connected())
        m_program.stopConnectTimer();
    if (mode == DisplayState::NonMail || mode == DisplayState::Password || m_display.planAlert())
        m_core.state.marker.clear();
    const strip::LayoutChoice choice = strip::chooseLayout(stripState(), mode);
    const StripLayout before = m_layout;
    if (choice.layout)
        m_layout = *choice.layout;
    m_program.layoutChanged(before, m_layout);
    emit displayChanged();
}

StripState StripController::stripState() const
{
    StripState state;
    state.planAlert = m_display.planAlert();
    state.dialPanelShown = m_program.dialPanelShown();
    state.connected = m_program.connected();
    state.animationRunning = m_program.animationRunning();
    state.calendarOpen = m_program.calendarOpen();
    state.calBack = m_program.settings().CalBack;
    state.hiddenMode = m_display.hiddenMode();
    return state;
}

bool StripController::stripVisible() const
{
    return strip::visible(stripState(), m_layout);
}

QString StripController::marker() const
{
    return m_core.state.marker;
}

} // namespace vesk
