#include "server/MailerEnds.h"

#include "platform/EventPump.h"
#include "platform/Messenger.h"
#include "server/LocalActivity.h"
#include "server/ServerConfig.h"
#include "server/ServerEnvironment.h"
#include "session/MailHost.h"
#include "session/SessionState.h"
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

void MailerEnds::pop3End(int tag, bool retrieved, bool heldPop3)
{
    std::weak_ptr<bool> alive = m_alive;
    m_poster([this, alive, tag, retrieved, heldPop3] {
        if (!alive.expired())
            runPop3End(tag, retrieved, heldPop3);
    });
}

void MailerEnds::smtpEnd(int tag)
{
    std::weak_ptr<bool> alive = m_alive;
    m_poster([this, alive, tag] {
        if (!alive.expired())
            runSmtpEnd(tag);
    });
}

void MailerEnds::runPop3End(int tag, bool retrieved, bool heldPop3)
{
    const ServerConfig &config = m_env.config;
    const bool directCheck = tag == 1 ? config.DirectCheck : config.DirectCheck2;
    std::weak_ptr<bool> alive = m_alive;
    // With an SMTP end waiting, that end runs the cycle.
    if (directCheck && !retrieved && !m_env.state.smtpEndWaiting)
        m_env.host.upLoad(TriggerMailer);
    if (alive.expired())
        return;
    if (heldPop3)
        m_env.activity.pop3Ended();
    if (m_env.host.boxWindowOpen() && !m_env.config.AutoDevideDisp)
        m_env.host.remainCheck();
}

void MailerEnds::runSmtpEnd(int tag)
{
    const ServerConfig &config = m_env.config;
    if (config.ManuSend) {
        m_env.host.setDisplayMode(0);
        return;
    }
    const Box inBox = !config.DevideON ? Box::InBox : tag == 2 ? Box::InBox1 : Box::InBox2;
    if (config.DialMode != 0 && m_env.store.checkDir(inBox).count != 0) {
        m_env.host.setDisplayMode(10);
        m_env.messenger.beep();
        m_env.messenger.message(QString::fromUtf8(HeldForDialUpText));
        return;
    }
    std::weak_ptr<bool> alive = m_alive;
    SessionState &state = m_env.state;
    EventPump &pump = m_env.pump;
    MailHost &host = m_env.host;
    state.smtpEndWaiting = true;
    pump.waitUntil([] { return false; }, 10, 100);
    // A mailer still collecting its mail finishes first.
    pump.waitUntil([&state] { return !state.pop3Active; }, MaxPop3WaitSeconds * 10, 100);
    pump.pause(100);
    state.smtpEndWaiting = false;
    state.retrieved = false;
    if (alive.expired())
        return;
    host.upLoad(TriggerMailer);
}

} // namespace vesk
