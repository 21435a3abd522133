#include "server/MailerEnds.h"

#include "mail/CoreServices.h"
#include "mail/MailHost.h"
#include "mail/MailView.h"
#include "mail/SessionState.h"
#include "platform/EventPump.h"
#include "platform/Messenger.h"
#include "server/LocalActivity.h"
#include "server/ServerConfig.h"
#include "server/ServerEnvironment.h"
#include "store/MessageStore.h"

namespace vesk {
namespace {

const char *const HeldForDialUpText
    = "受信メールがありますので、\r\n送信メールは、一旦Veskの送信箱に入れます。\r\n"
      "後でVeskの「接-送-ﾁｪｯｸ-断」を行って送信してください。";

} // namespace

MailerEnds::MailerEnds(ServerEnvironment &env, Poster poster)
    : m_env(env)
    , m_poster(std::move(poster))
    , m_alive(std::make_shared<bool>(true))
{ }

MailerEnds::~MailerEnds()
{
    *m_alive = false;
}

void MailerEnds::pop3End(MailerPort port, bool retrieved, bool heldPop3)
{
    std::weak_ptr<bool> alive = m_alive;
    m_poster([this, alive, port, retrieved, heldPop3] {
        if (!alive.expired())
            runPop3End(port, retrieved, heldPop3);
    });
}

void MailerEnds::smtpEnd(MailerPort port)
{
    std::weak_ptr<bool> alive = m_alive;
    m_poster([this, alive, port] {
        if (!alive.expired())
            runSmtpEnd(port);
    });
}

void MailerEnds::runPop3End(MailerPort port, bool retrieved, bool heldPop3)
{
    const ServerConfig &config = m_env.config;
    const bool directCheck = port == MailerPort::Pop3Mailer1 ? config.DirectCheck : config.DirectCheck2;
    std::weak_ptr<bool> alive = m_alive;
    // With an SMTP end waiting, that end runs the cycle.
    if (directCheck && !retrieved && !m_env.core.state.smtpEndWaiting)
        m_env.host.upLoad(TriggerMailer);
    if (alive.expired())
        return;
    if (heldPop3)
        m_env.activity.pop3Ended();
    if (m_env.view.boxWindowOpen() && !m_env.config.AutoDevideDisp)
        m_env.view.remainCheck();
}

void MailerEnds::runSmtpEnd(MailerPort port)
{
    const ServerConfig &config = m_env.config;
    if (config.ManuSend) {
        m_env.view.setDisplayMode(0);
        return;
    }
    const Box inBox = !config.DevideON ? Box::InBox : isMailer2Port(port) ? Box::InBox2 : Box::InBox1;
    if (config.DialMode != 0 && m_env.core.store.checkDir(inBox).count != 0) {
        m_env.view.setDisplayMode(10);
        m_env.core.messenger.beep();
        m_env.core.messenger.message(QString::fromUtf8(HeldForDialUpText));
        return;
    }
    std::weak_ptr<bool> alive = m_alive;
    SessionState &state = m_env.core.state;
    EventPump &pump = m_env.core.pump;
    state.smtpEndWaiting = true;
    pump.waitUntil([] { return false; }, 10, 100);
    // A mailer still collecting its mail finishes first.
    pump.waitUntil([&state] { return !state.pop3Active; }, MaxPop3WaitSeconds * 10, 100);
    pump.pause(100);
    state.smtpEndWaiting = false;
    state.retrieved = false;
    if (alive.expired())
        return;
    m_env.host.upLoad(TriggerMailer);
}

} // namespace vesk
