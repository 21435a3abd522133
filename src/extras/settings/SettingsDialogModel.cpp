#include "extras/settings/SettingsDialogModel.h"

#include "extras/settings/DialogControls.h"
#include "extras/settings/SettingsDialogHost.h"
#include "mail/ProviderSecurity.h"
#include "platform/Messenger.h"
#include "settings/SettingsStore.h"
#include "settings/SettingsTable.h"
#include "store/rules/RuleStorage.h"

namespace vesk {
namespace {

// The fonts and colours, kept by their own buttons.
const SettingEntry::Field LookFields[] = {
    &Settings::OnFontColor,
    &Settings::FontColor,
    &Settings::FontSize,
    &Settings::FontName,
    &Settings::FontStyle,
    &Settings::ChoimiFColor,
    &Settings::ChoimiFSize,
    &Settings::ChoimiFName,
    &Settings::ChoimiFStyle,
};

// What the dialog shows for a value that is not stored, where that differs
// from the default the program runs with.
constexpr bool MailRoundWhenMissing = false;

// The Settings field of a control's value, when it has that type.
template <class T> T Settings::*fieldOf(const DialogControl *c)
{
    if (!c)
        return nullptr;
    const auto *field = std::get_if<T Settings::*>(&c->setting().field);
    return field ? *field : nullptr;
}

} // namespace

SettingsDialogModel::SettingsDialogModel(Messenger &messenger, const DialUpEntries &dialUp)
    : m_messenger(messenger)
    , m_roundTime(messenger)
    , m_rules(messenger)
    , m_connectionMethod(messenger, dialUp, m_values)
{ }

void SettingsDialogModel::load(SettingsStore &store)
{
    m_values = Settings();
    for (const DialogControl &control : dialogcontrols::all()) {
        SettingsTable::read(store, m_values, control.setting());
        if (auto field = fieldOf<int>(&control))
            m_values.*field = control.bounded(m_values.*field);
    }
    m_values.MailRound = SettingsTable::valueOr(store, &Settings::MailRound, MailRoundWhenMissing);
    m_values.SMTP = SettingsTable::valueOr(store, &Settings::SMTP, m_values.Host);
    for (const SettingEntry::Field &field : LookFields)
        SettingsTable::read(store, m_values, SettingsTable::entryOf(field));

    m_secrets.load(store, m_messenger);
    for (QString Settings::*field : { &Settings::OAuth_AuthUrl, &Settings::OAuth_TokenUrl, &Settings::OAuth_Scope })
        m_values.*field = SettingsTable::value(store, field);
    loadPorts(store);

    m_roundTime.setText(QString::number(SettingsTable::value(store, &Settings::RoundTime)));

    m_connectionMethod.load(store);

    m_rules.setLists(rulestorage::load(store));
}

void SettingsDialogModel::loadPorts(SettingsStore &store)
{
    // A stored text that is no port stands for the default, as in the port dialog.
    const auto port = [&](int Settings::*field, int fallback) {
        const int value = SettingsTable::valueOr(store, field, fallback);
        return value >= 1 && value <= 65535 ? value : fallback;
    };
    m_values.POP3_ServerVesk
        = port(&Settings::POP3_ServerVesk, defaultPop3Port(securityFrom(m_values.POP3_Security)));
    m_values.SMTP_ServerVesk
        = port(&Settings::SMTP_ServerVesk, defaultSmtpPort(securityFrom(m_values.SMTP_Security)));
}

void SettingsDialogModel::reloadPorts(SettingsStore &store)
{
    loadPorts(store);
}

bool SettingsDialogModel::checked(QStringView control) const
{
    const auto field = fieldOf<bool>(dialogcontrols::find(control));
    return field && m_values.*field;
}

void SettingsDialogModel::setChecked(QStringView control, bool on)
{
    if (const auto field = fieldOf<bool>(dialogcontrols::find(control)))
        m_values.*field = on;
}

QString SettingsDialogModel::text(QStringView control) const
{
    const auto field = fieldOf<QString>(dialogcontrols::find(control));
    return field ? m_values.*field : QString();
}

void SettingsDialogModel::setText(QStringView control, const QString &text)
{
    if (const auto field = fieldOf<QString>(dialogcontrols::find(control)))
        m_values.*field = text;
}

int SettingsDialogModel::number(QStringView control) const
{
    const auto field = fieldOf<int>(dialogcontrols::find(control));
    return field ? m_values.*field : 0;
}

void SettingsDialogModel::setNumber(QStringView control, int value)
{
    const DialogControl *c = dialogcontrols::find(control);
    const auto field = fieldOf<int>(c);
    if (!field)
        return;
    const int before = m_values.*field;
    m_values.*field = c->bounded(value);
    const Security was = securityFrom(before);
    const Security now = securityFrom(m_values.*field);
    if (control == u"cmbPop3Security" && m_values.POP3_ServerVesk == defaultPop3Port(was))
        m_values.POP3_ServerVesk = defaultPop3Port(now);
    if (control == u"cmbSmtpSecurity" && m_values.SMTP_ServerVesk == defaultSmtpPort(was))
        m_values.SMTP_ServerVesk = defaultSmtpPort(now);
}

SettingsDialogModel::FontChoice SettingsDialogModel::clockFont() const
{
    return { m_values.FontName, m_values.FontSize, m_values.FontStyle, m_values.FontColor };
}

void SettingsDialogModel::setClockFont(const FontChoice &font)
{
    m_values.FontName = font.name;
    m_values.FontSize = font.size;
    m_values.FontStyle = font.style;
    m_values.FontColor = font.color;
}

SettingsDialogModel::FontChoice SettingsDialogModel::quickViewFont() const
{
    return { m_values.ChoimiFName, m_values.ChoimiFSize, m_values.ChoimiFStyle, m_values.ChoimiFColor };
}

void SettingsDialogModel::setQuickViewFont(const FontChoice &font)
{
    m_values.ChoimiFName = font.name;
    m_values.ChoimiFSize = font.size;
    m_values.ChoimiFStyle = font.style;
    m_values.ChoimiFColor = font.color;
}

controldeps::Switches SettingsDialogModel::switches() const
{
    controldeps::Switches s;
    s.M = m_values.MailRound;
    s.S = m_values.ServerON;
    s.D = m_values.DevideON;
    s.R = m_values.RoundGo;
    s.P = m_values.SendPause;
    s.mailWave = m_values.MailWaveON;
    s.planWave = m_values.PlanWaveON;
    s.dialUp = m_connectionMethod.dialUp();
    s.dialEntries = int(m_connectionMethod.dialEntries().size());
    s.smtpAuth = m_values.SMTP_Auth != 0;
    s.leave = m_values.LeaveOnServer;
    return s;
}

bool SettingsDialogModel::monitorReady(SettingsDialogHost &host)
{
    if (host.monitorOpen())
        return true;
    m_messenger.beep();
    m_messenger.message(QStringLiteral("「MonitorON」でモニターを開いてから行って下さい"));
    return false;
}

ProviderAccount SettingsDialogModel::account() const
{
    ProviderAccount account = ProviderAccount::of(m_values);
    // An empty SMTP field means the POP3 server's host, as when it is read.
    if (account.SMTP.isEmpty())
        account.SMTP = m_values.Host;
    account.Password = m_secrets.password();
    return account;
}

void SettingsDialogModel::connectionTest(SettingsDialogHost &host)
{
    if (!monitorReady(host))
        return;
    host.setMonitorStatus(QStringLiteral("TEST"));
    host.monitorLine(QString());
    const bool passed = host.testConnection(account());
    if (!passed && host.monitorOpen())
        host.monitorLine(QStringLiteral("VeskTalk< Check NG ! >"));
    host.setMonitorStatus(QString());
}

void SettingsDialogModel::cancelConnectionTest(SettingsDialogHost &host)
{
    if (monitorReady(host))
        host.cancelConnectionTest();
}

void SettingsDialogModel::clearMonitor(SettingsDialogHost &host)
{
    if (monitorReady(host))
        host.clearMonitor();
}

void SettingsDialogModel::closeMonitor(SettingsDialogHost &host)
{
    if (monitorReady(host))
        host.closeMonitor();
}

void SettingsDialogModel::soundTest(SettingsDialogHost &host, QStringView field)
{
    host.playSound(text(field), field == u"edtPlanWave" ? SoundEvent::PlanAlarm : SoundEvent::NewMail);
}

OAuthClient SettingsDialogModel::oauthClient() const
{
    return oauthClientOf(m_values.OAuth_Preset, m_values.OAuth_ClientID, m_secrets.clientSecret(),
        m_values.OAuth_AuthUrl, m_values.OAuth_TokenUrl, m_values.OAuth_Scope);
}

SettingsDialogModel::SaveResult SettingsDialogModel::save(SettingsStore &store, const QString &folder)
{
    if (m_values.DevideON) {
        for (int list = 1; list <= 3; ++list) {
            if (!trimRule(m_rules.entry(list)).isEmpty()) {
                m_messenger.beep();
                m_messenger.message(QStringLiteral("振分は「追加」を押さないと入力されません"));
                return SaveResult::Refused;
            }
        }
    }

    SettingsStore::Batch batch(store);
    for (const DialogControl &control : dialogcontrols::all()) {
        // Left empty, the SMTP server is the POP3 server's host: an empty
        // value would leave the account incomplete and never checked.
        if (m_values.SMTP.isEmpty() && control.field == SettingEntry::Field(&Settings::SMTP))
            SettingsTable::remove(store, &Settings::SMTP);
        else
            SettingsTable::write(store, m_values, control.setting());
    }
    m_secrets.write(store);
    SettingsTable::setValue(store, &Settings::RoundTime, m_roundTime.minutes());
    m_connectionMethod.write(store);
    for (const SettingEntry::Field &field : LookFields)
        SettingsTable::write(store, m_values, SettingsTable::entryOf(field));
    QString rulesError;
    const bool rulesSaved = rulestorage::save(store, m_rules.lists(), &rulesError);
    SettingsTable::setValue(store, &Settings::Folder, folder);
    SettingsTable::moveSecrets(store);
    if (!batch.commit()) {
        m_messenger.message(store.errorText());
        return SaveResult::Failed;
    }
    if (!rulesSaved) {
        m_messenger.message(rulesError);
        return SaveResult::Failed;
    }
    return SaveResult::Saved;
}

EraseResult SettingsDialogModel::eraseAll(SettingsStore &store, const QString &typedPassword)
{
    if (typedPassword != m_secrets.password())
        m_messenger.beep();
    return eraseAllSettings(store, typedPassword, m_secrets.password(), m_messenger);
}

} // namespace vesk
