#include "settings/SettingsTable.h"

#include "platform/SecretStore.h"
#include "settings/BoolInt.h"
#include "settings/NumberText.h"
#include "settings/PasswordCodec.h"
#include "settings/SettingsStore.h"

namespace vesk {
namespace {

template <class... Ts> struct Overloaded : Ts...
{
    using Ts::operator()...;
};
template <class... Ts> Overloaded(Ts...) -> Overloaded<Ts...>;

// What the user sees of a secret in the keyring's own window.
QString secretKind(const SettingEntry &entry)
{
    if (entry.field == SettingEntry::Field(&Settings::SMTP_Password))
        return QStringLiteral("SMTP パスワード");
    if (entry.field == SettingEntry::Field(&Settings::OAuth_RefreshToken))
        return QStringLiteral("OAuth リフレッシュトークン");
    return QStringLiteral("POP3 パスワード");
}

// The account the secret belongs to, as stored at the moment: the SMTP
// password's is the SMTP login.
QString secretAccount(SettingsStore &store, const SettingEntry &entry)
{
    QString user = SettingsTable::value(store, &Settings::UserID);
    QString host = SettingsTable::value(store, &Settings::Host);
    if (entry.field == SettingEntry::Field(&Settings::SMTP_Password)) {
        const QString smtpUser = SettingsTable::value(store, &Settings::SMTP_UserID);
        const QString smtpHost = SettingsTable::valueOr(store, &Settings::SMTP, host);
        user = smtpUser.isEmpty() ? user : smtpUser;
        host = smtpHost.isEmpty() ? host : smtpHost;
    }
    return user + u'@' + host;
}

QString readSecret(SettingsStore &store, const SettingEntry &entry)
{
    const QString name = SettingsTable::nameOf(entry);
    const QString stored = store.readString(SettingsTable::sectionOf(entry), name);
    if (stored != SettingsTable::KeyringMarker)
        return stored;
    SecretStore *secrets = store.secrets();
    QString secret;
    const SecretStore::Status status
        = secrets ? secrets->read(name, &secret) : SecretStore::Status::Unavailable;
    if (status == SecretStore::Status::Found)
        return PasswordCodec::encode(secret);
    // Not a silent login failure: the user hears why the password is empty.
    store.addSecretNotice(name,
        status == SecretStore::Status::Missing
            ? QStringLiteral("キーリングに「%1」がありません。「各種設定」で入力し直してください。")
                  .arg(secretKind(entry))
            : QStringLiteral("キーリングを開けないため、「%1」を読めません。").arg(secretKind(entry)));
    return {};
}

bool writeSecret(SettingsStore &store, const SettingEntry &entry, const QString &encoded)
{
    const QString section = SettingsTable::sectionOf(entry);
    const QString name = SettingsTable::nameOf(entry);
    SecretStore *secrets = store.secrets();
    const bool keyring = secrets && secrets->available();
    if (encoded.isEmpty() && store.readString(section, name) == SettingsTable::KeyringMarker) {
        // A secret the keyring cannot give now (away, or its unlock prompt
        // dismissed) was read as empty: it stays there for a later start.
        QString unused;
        if (!keyring || secrets->read(name, &unused) == SecretStore::Status::Unavailable)
            return true;
    }
    if (!keyring)
        return store.writeString(section, name, encoded);
    if (encoded.isEmpty()) {
        secrets->remove(name);
        return store.writeString(section, name, QString());
    }
    const std::optional<QString> secret = PasswordCodec::decode(encoded);
    if (!secret)
        return store.writeString(section, name, encoded);
    const QString account = secretAccount(store, entry);
    const SecretStore::Item item { name, account,
        QStringLiteral("Vesk: %1 (%2)").arg(secretKind(entry), account) };
    // The file gives up the secret only once the keyring holds it.
    return store.writeString(
        section, name, secrets->write(item, *secret) ? SettingsTable::KeyringMarker : encoded);
}

} // namespace

const std::vector<SettingEntry> &SettingsTable::config()
{
    using S = Settings;
    constexpr bool Secret = true;
    static const std::vector<SettingEntry> table = {
        // The provider account.
        { "Config", "Host", "", &S::Host },
        { "Config", "SMTP", "", &S::SMTP }, // RegRead takes Host as the default
        { "Config", "UserID", "", &S::UserID },
        { "Config", "Password", "", &S::Password, Secret }, // encoded, see PasswordCodec
        { "Config", "Apop", "0", &S::Apop }, { "Config", "DoublePass", "0", &S::DoublePass },

        // Not in the old program: mail left at the provider.
        { "Config", "LeaveOnServer", "0", &S::LeaveOnServer }, { "Config", "LeaveDays", "0", &S::LeaveDays },
        { "Config", "DeleteWithMailer", "0", &S::DeleteWithMailer },

        // Not in the old program: TLS and SMTP login with the provider.
        { "Config", "POP3_Security", "0", &S::POP3_Security },
        { "Config", "SMTP_Security", "0", &S::SMTP_Security }, { "Config", "SMTP_Auth", "0", &S::SMTP_Auth },
        { "Config", "SMTP_AuthPlain", "0", &S::SMTP_AuthPlain },
        { "Config", "SMTP_UserID", "", &S::SMTP_UserID },
        { "Config", "SMTP_Password", "", &S::SMTP_Password, Secret }, // encoded like Password
        // OAuth 2.0 where a provider takes no password: where the token comes from.
        { "Config", "POP3_Auth", "0", &S::POP3_Auth },
        { "Config", "TokenCommand", "", &S::TokenCommand },
        { "Config", "OAuth_Preset", "0", &S::OAuth_Preset },
        { "Config", "OAuth_ClientID", "", &S::OAuth_ClientID },
        // A desktop client's secret is no secret (every copy of the program
        // holds it): encoded, but not in the keyring.
        { "Config", "OAuth_ClientSecret", "", &S::OAuth_ClientSecret }, // encoded like Password
        { "Config", "OAuth_AuthUrl", "", &S::OAuth_AuthUrl },
        { "Config", "OAuth_TokenUrl", "", &S::OAuth_TokenUrl },
        { "Config", "OAuth_Scope", "", &S::OAuth_Scope },
        { "Config", "OAuth_RefreshToken", "", &S::OAuth_RefreshToken, Secret }, // encoded like Password

        // Ports: the provider's, and the local server's for each mailer. The mailers'
        // local ports are above 1023: a normal user can open them.
        { "Config", "SMTP_ServerVesk", "25", &S::SMTP_ServerVesk },
        { "Config", "POP3_ServerVesk", "110", &S::POP3_ServerVesk },
        { "Config", "SMTP_VeskMailer1", "10025", &S::SMTP_VeskMailer1 },
        { "Config", "SMTP_VeskMailer2", "10250", &S::SMTP_VeskMailer2 },
        { "Config", "POP3_VeskMailer1", "10110", &S::POP3_VeskMailer1 },
        { "Config", "POP3_VeskMailer2", "1100", &S::POP3_VeskMailer2 },

        // Checking.
        { "Config", "MailRound", "1", &S::MailRound }, { "Config", "RoundGo", "1", &S::RoundGo },
        { "Config", "RoundTime", "20", &S::RoundTime }, { "Config", "OverTime", "300", &S::OverTime },
        { "Config", "FirstDelay", "0", &S::FirstDelay }, { "Config", "WithCheck", "0", &S::WithCheck },

        // The local server and the boxes.
        { "Config", "ServerON", "0", &S::ServerON }, { "Config", "DevideON", "0", &S::DevideON },
        { "Config", "ManuSend", "0", &S::ManuSend }, { "Config", "AutoDevideDisp", "0", &S::AutoDevideDisp },
        { "Config", "DirectCheck", "0", &S::DirectCheck },
        { "Config", "DirectCheck2", "0", &S::DirectCheck2 }, { "Config", "SendPause", "0", &S::SendPause },
        { "Config", "SendPauseTime", "10", &S::SendPauseTime },

        // The mailers.
        { "Config", "Mailer", "", &S::Mailer }, { "Config", "MailerSw", "", &S::MailerSw },
        { "Config", "MailPassword", "", &S::MailPassword }, { "Config", "Macro", "", &S::Macro },
        { "Config", "MacroSend", "0", &S::MacroSend }, { "Config", "AutoOpen", "0", &S::AutoOpen },
        { "Config", "Mailer2", "", &S::Mailer2 }, { "Config", "MailerSw2", "", &S::MailerSw2 },
        { "Config", "MailPassword2", "", &S::MailPassword2 }, { "Config", "Macro2", "", &S::Macro2 },
        { "Config", "MacroSend2", "0", &S::MacroSend2 }, { "Config", "AutoOpen2", "0", &S::AutoOpen2 },
        { "Config", "WithClose", "0", &S::WithClose },

        // Dial-up.
        { "Config", "DialMode", "0", &S::DialMode }, { "Config", "AP", "", &S::AP },
        { "Config", "ReDial", "3", &S::ReDial }, { "Config", "ReDialWait", "10", &S::ReDialWait },
        { "Config", "DialDispOn", "0", &S::DialDispOn }, { "Config", "DefNoncheck", "0", &S::DefNoncheck },
        { "Config", "ConnectBeep", "0", &S::ConnectBeep },

        // The strip: its text, animation and notices.
        { "Config", "FontColor", "clCaptionText", &S::FontColor },
        { "Config", "FontSize", "9", &S::FontSize },
        { "Config", "FontName", "ＭＳ Ｐゴシック", &S::FontName },
        { "Config", "FontStyle", "0", &S::FontStyle },
        { "Config", "OnFontColor", "clYellow", &S::OnFontColor },
        { "Config", "SlideSpeed", "200", &S::SlideSpeed }, { "Config", "ShutNot", "0", &S::ShutNot },
        { "Config", "DesktopNotify", "0", &S::DesktopNotify },
        { "Config", "DebugWindow", "0", &S::DebugWindow }, // nothing in the program writes it
        { "Config", "PelmaHide", "0", &S::PelmaHide },

        // Sounds.
        { "Config", "MailWaveON", "1", &S::MailWaveON }, { "Config", "MailWave", "", &S::MailWave },
        { "Config", "PlanWaveON", "1", &S::PlanWaveON }, { "Config", "PlanWave", "", &S::PlanWave },

        // Plans: the calendar's colours and the reminders.
        { "Config", "WeekColor1", "$000080FF", &S::WeekColor1 },
        { "Config", "WeekColor2", "$00666666", &S::WeekColor2 },
        { "Config", "WeekColor3", "$00006E00", &S::WeekColor3 },
        { "Config", "WeekColor4", "clWhite", &S::WeekColor4 },
        { "Config", "WeekColor5", "clBlack", &S::WeekColor5 },
        { "Config", "WeekColor6", "clGray", &S::WeekColor6 },
        { "Config", "WeekColor7", "clAqua", &S::WeekColor7 }, { "Config", "BeforeOne", "1", &S::BeforeOne },
        { "Config", "BeforeYear", "1", &S::BeforeYear }, { "Config", "BeforeMonth", "0", &S::BeforeMonth },
        { "Config", "BeforeWeek", "0", &S::BeforeWeek }, { "Config", "DayBefore", "3", &S::DayBefore },

        // The quick view.
        { "Config", "Gyou", "10", &S::Gyou }, { "Config", "ChoimiFColor", "clWindowText", &S::ChoimiFColor },
        { "Config", "ChoimiFSize", "9", &S::ChoimiFSize },
        { "Config", "ChoimiFName", "ＭＳ ゴシック", &S::ChoimiFName },
        { "Config", "ChoimiFStyle", "0", &S::ChoimiFStyle }, { "Config", "ChoimiHead", "1", &S::ChoimiHead },

        // Files.
        { "Config", "Folder", "", &S::Folder }, // written by the settings dialog only
    };
    return table;
}

const std::vector<SettingEntry> &SettingsTable::disp()
{
    using S = Settings;
    static const std::vector<SettingEntry> table = {
        { "Disp", "Wareki", "0", &S::Wareki },
        { "Disp", "Seireki", "0", &S::Seireki },
        { "Disp", "Date", "1", &S::Date },
        { "Disp", "Week", "1", &S::Week },
        { "Disp", "Time", "1", &S::Time },
        { "Disp", "Close", "1", &S::Close },
        { "Disp", "Pelma", "1", &S::Pelma },
        { "Disp", "PosiMode", "0", &S::PosiMode },
        { "Disp", "MainLeft", "0", &S::MainLeft },
        { "Disp", "MainTop", "0", &S::MainTop },
        { "Disp", "CalFlag", "0", &S::CalFlag },
        { "Disp", "CalBack", "0", &S::CalBack },
        { "Disp", "MultiJpgCo", "0", &S::MultiJpgCo },
        { "Disp", "LastTime", "0/0 0:00", &S::LastTime },
        { "Disp", "ChoimiOn", "0", &S::ChoimiOn },
        { "Disp", "PlanTop", "0", &S::PlanTop },
        { "Disp", "PlanLeft", "0", &S::PlanLeft },
        { "Disp", "DebugTop", "0", &S::DebugTop },
        { "Disp", "DebugLeft", "0", &S::DebugLeft },
        { "Disp", "ChoimiTop", "0", &S::ChoimiTop },
        { "Disp", "ChoimiLeft", "0", &S::ChoimiLeft },
        { "Disp", "ChoimiWidth", "550", &S::ChoimiWidth },
        { "Disp", "ChoimiHeight", "200", &S::ChoimiHeight },
        { "Disp", "DevideTop", "0", &S::DevideTop },
        { "Disp", "DevideLeft", "0", &S::DevideLeft },
        { "Disp", "DevideWidth", "580", &S::DevideWidth },
        { "Disp", "DevideSendA", "200", &S::DevideSendA },
        { "Disp", "DevideSendB", "100", &S::DevideSendB },
        { "Disp", "DevideSendC", "20", &S::DevideSendC },
        { "Disp", "DevidePnl1", "100", &S::DevidePnl1 },
        { "Disp", "DevideUp", "200", &S::DevideUp },
        { "Disp", "DevideLow", "200", &S::DevideLow },
        { "Disp", "DevidePnl4", "100", &S::DevidePnl4 },
        { "Disp", "DevideMin", "0", &S::DevideMin },
        { "Disp", "ButtonTop", "1", &S::ButtonTop },
        { "Disp", "LuncherTop", "0", &S::LuncherTop },
        { "Disp", "LuncherLeft", "0", &S::LuncherLeft },
        { "Disp", "LuncherHeight", "400", &S::LuncherHeight },
        { "Disp", "LuncherWidth", "540", &S::LuncherWidth },
        { "Disp", "LuncherCol1", "100", &S::LuncherCol1 },
        { "Disp", "LuncherCol2", "100", &S::LuncherCol2 },
        { "Disp", "LuncherCol3", "50", &S::LuncherCol3 },
        { "Disp", "LuncherCol4", "50", &S::LuncherCol4 },
        { "Disp", "LuncherCol5", "50", &S::LuncherCol5 },
        { "Disp", "LuncherCol6", "50", &S::LuncherCol6 },
        { "Disp", "LuncherCol7", "50", &S::LuncherCol7 },
        { "Disp", "GetStr", "", &S::GetStr },
    };
    return table;
}

const SettingEntry *SettingsTable::find(QStringView section, QStringView name)
{
    for (const auto *table : { &config(), &disp() }) {
        for (const SettingEntry &entry : *table) {
            if (section.compare(QLatin1StringView(entry.section), Qt::CaseInsensitive) == 0
                && name.compare(QLatin1StringView(entry.name), Qt::CaseInsensitive) == 0)
                return &entry;
        }
    }
    return nullptr;
}

const SettingEntry &SettingsTable::entryOf(SettingEntry::Field field)
{
    for (const auto *table : { &config(), &disp() }) {
        for (const SettingEntry &entry : *table) {
            if (entry.field == field)
                return entry;
        }
    }
    // Every stored field of Settings is in the table.
    qFatal("A field of Settings is missing from the settings table");
}

void SettingsTable::setDefault(Settings &settings, const SettingEntry &entry)
{
    const QString defaultText = QString::fromUtf8(entry.defaultText);
    std::visit(Overloaded {
                   [&](bool Settings::*field) { settings.*field = IntToBool(defaultText.toInt()); },
                   [&](int Settings::*field) { settings.*field = defaultText.toInt(); },
                   [&](QString Settings::*field) { settings.*field = defaultText; },
                   [&](ColorValue Settings::*field) {
                       settings.*field = ColorValue::fromText(defaultText, ColorValue());
                   },
               },
        entry.field);
}

QString SettingsTable::sectionOf(const SettingEntry &entry)
{
    return QString::fromLatin1(entry.section);
}

QString SettingsTable::nameOf(const SettingEntry &entry)
{
    return QString::fromLatin1(entry.name);
}

bool SettingsTable::remove(SettingsStore &store, SettingEntry::Field field)
{
    const SettingEntry &entry = entryOf(field);
    return store.deleteValue(sectionOf(entry), nameOf(entry));
}

template <class T>
T SettingsTable::valueOr(SettingsStore &store, T Settings::*field, const std::type_identity_t<T> &missing)
{
    const SettingEntry &entry = entryOf(field);
    if constexpr (std::is_same_v<T, bool>)
        return store.readBool(sectionOf(entry), nameOf(entry), missing);
    else if constexpr (std::is_same_v<T, int>)
        return store.readInteger(sectionOf(entry), nameOf(entry), missing);
    else
        return store.readString(sectionOf(entry), nameOf(entry), missing);
}

template bool SettingsTable::valueOr(SettingsStore &, bool Settings::*, const bool &);
template int SettingsTable::valueOr(SettingsStore &, int Settings::*, const int &);
template QString SettingsTable::valueOr(SettingsStore &, QString Settings::*, const QString &);

QString SettingsTable::text(const Settings &settings, const SettingEntry &entry)
{
    return std::visit(Overloaded {
                          [&](bool Settings::*field) { return QString::number(BoolToInt(settings.*field)); },
                          [&](int Settings::*field) { return QString::number(settings.*field); },
                          [&](QString Settings::*field) { return settings.*field; },
                          [&](ColorValue Settings::*field) { return (settings.*field).toText(); },
                      },
        entry.field);
}

void SettingsTable::read(SettingsStore &store, Settings &settings, const SettingEntry &entry)
{
    const QString section = QString::fromLatin1(entry.section);
    const QString name = QString::fromLatin1(entry.name);
    const QString defaultText = QString::fromUtf8(entry.defaultText);
    std::visit(Overloaded {
                   [&](bool Settings::*field) {
                       settings.*field = store.readBool(section, name, IntToBool(defaultText.toInt()));
                   },
                   [&](int Settings::*field) {
                       settings.*field = store.readInteger(section, name, defaultText.toInt());
                   },
                   [&](QString Settings::*field) {
                       settings.*field = entry.secret ? readSecret(store, entry)
                                                      : store.readString(section, name, defaultText);
                   },
                   [&](ColorValue Settings::*field) {
                       const ColorValue fallback = ColorValue::fromText(defaultText, ColorValue());
                       settings.*field = ColorValue::fromText(store.readString(section, name), fallback);
                   },
               },
        entry.field);
}

bool SettingsTable::write(SettingsStore &store, const Settings &settings, const SettingEntry &entry)
{
    if (entry.secret)
        return writeSecret(store, entry, text(settings, entry));
    return store.writeString(
        QString::fromLatin1(entry.section), QString::fromLatin1(entry.name), text(settings, entry));
}

void SettingsTable::moveSecrets(SettingsStore &store)
{
    if (!store.secrets() || !store.secrets()->available())
        return;
    for (const SettingEntry &entry : config()) {
        if (!entry.secret)
            continue;
        const QString stored = store.readString(sectionOf(entry), nameOf(entry));
        if (stored.isEmpty() || stored == KeyringMarker)
            continue;
        writeSecret(store, entry, PasswordCodec::isPlain(stored) ? PasswordCodec::encode(stored) : stored);
    }
}

void SettingsTable::removeSecrets(SettingsStore &store)
{
    SecretStore *secrets = store.secrets();
    if (!secrets || !secrets->available())
        return;
    for (const SettingEntry &entry : config()) {
        if (entry.secret)
            secrets->remove(nameOf(entry));
    }
}

Settings::Settings()
{
    for (const auto *table : { &SettingsTable::config(), &SettingsTable::disp() }) {
        for (const SettingEntry &entry : *table)
            SettingsTable::setDefault(*this, entry);
    }
}

} // namespace vesk
