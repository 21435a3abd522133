#include "app/AccessoriesController.h"
#include "app/Controller.h"
#include "dialup/ConnectionControl.h"
#include "extras/settings/SettingsController.h"
#include "launcher/LauncherController.h"
#include "mail/CoreServices.h"
#include "mail/SessionState.h"
#include "plan/PlanController.h"
#include "platform/EventPump.h"
#include "platform/GlobalAtoms.h"
#include "platform/Messenger.h"
#include "platform/Timer.h"
#include "settings/SettingsStore.h"
#include "settings/SettingsTable.h"
#include "store/MessageStore.h"

namespace vesk {

bool Controller::quit()
{
    // mnuPerentClick
    // The line this program keeps up goes down first.
    if (m_dialUp->connected())
        hangUp();
    // A launcher entry is being started: ending now would leave it half done.
    if (m_core.state.marker == QLatin1String("*")) {
        m_core.messenger.beep();
        return false;
    }
    if (boxCount(Box::OutBox) > 0) {
        const std::optional<Messenger::Answer> answer = m_core.messenger.ask(QStringLiteral("確認"),
            QStringLiteral(
                "送受信箱に送信するメールが残っています。\r\n次回に送信するということでよろしいですか？"),
            Messenger::Buttons::YesNo);
        // Left alone, the mail is kept for next time.
        if (answer && *answer == Messenger::Answer::No)
            return false;
    }
    m_planner->saveHolidaysAtQuit();
    m_core.state.marker = QStringLiteral("  ");
    m_closeRequested = true;
    m_core.pump.waitUntil([] { return false; }, 51, 10);
    MyIdle();
    return true;
}

void Controller::FormCloseQuery()
{
    if (m_closed)
        return;
    m_closed = true;
    m_timMin->stop();
    m_timSec->stop();
    m_dialUp->hangUpForShutdown();
    if (m_strip->display().mode() == DisplayState::MailOn) {
        setNewMail(m_newMailCount, m_mailAnnounced, false);
        m_strip->display().dispSet(DisplayState::Normal);
    }
    // After "全設定消去" nothing may be written back.
    if (!m_settingsDialog->erased()) {
        SettingsStore::Batch batch(m_settingsStore);
        SettingsTable::setValue(m_settingsStore, &Settings::LastTime, m_lastTime);
        SettingsTable::setValue(m_settingsStore, &Settings::MultiJpgCo, m_settings.MultiJpgCo);
    }
    m_core.state.marker = QStringLiteral(" ");
    m_accessories->accessoriesShutdown();
    m_launcher->closeStartedPrograms();
    m_atoms.remove(m_programName);
    m_atoms.remove(StripController::TalkedAtom);
    m_launcher->releaseHotKeys();
    if (m_provider && m_provider->clientActive())
        m_provider->closeClient();
    if (m_servers)
        m_servers->stopAll();
    m_serversRunning = false;
    emit finished();
}

} // namespace vesk
