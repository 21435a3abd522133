#include "boxes/BoxWindowController.h"

#include "mail/CoreServices.h"
#include "settings/Settings.h"

namespace vesk {

BoxWindowController::BoxWindowController(const CoreServices &core, Program &program, QObject *parent)
    : QObject(parent)
    , m_core(core)
    , m_program(program)
{ }

void BoxWindowController::showBoxWindow()
{
    emit windowRequested();
}

void BoxWindowController::setBoxWindowOpen(bool open)
{
    m_open = open;
}

void BoxWindowController::showLastCheck()
{
    emit captionChanged(QStringLiteral("送受信箱 <Last ") + m_program.lastTime() + QLatin1Char('>'));
}

void BoxWindowController::popUpCheck()
{
    if (boxCount(Box::InBox) > 0)
        return;
    if (m_program.settings().DevideON && (boxCount(Box::InBox1) > 0 || boxCount(Box::InBox2) > 0))
        return;
    showLastCheck();
    m_program.mailTaken();
}

void BoxWindowController::setSendHeld(bool held)
{
    Settings &settings = m_program.settings();
    if (settings.ManuSend == held)
        return;
    settings.ManuSend = held;
    // The local servers and the session take their switches from here.
    m_program.settingsChanged();
}

bool BoxWindowController::sendHeld() const
{
    return m_program.settings().ManuSend;
}

int BoxWindowController::boxCount(Box box) const
{
    return m_core.store.checkDir(box).count;
}

} // namespace vesk
