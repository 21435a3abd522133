#include "extras/settings/gui/SettingForm.h"

#include "extras/settings/DialogControls.h"
#include "extras/settings/SettingsDialogHost.h"
#include "extras/settings/gui/ColorButton.h"
#include "extras/settings/gui/FontButton.h"
#include "extras/settings/gui/PortForm.h"
#include "extras/settings/gui/RuleListsPage.h"
#include "extras/settings/gui/SettingPages.h"
#include "platform/Messenger.h"
#include "platform/gui/WindowPlacement.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QShowEvent>
#include <QSpinBox>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

namespace vesk {
namespace {

const QString AllFiles = QStringLiteral("全てのﾌｧｲﾙ(*)");
const QString WaveFiles = QStringLiteral("ｻｳﾝﾄﾞﾌｧｲﾙ(*.wav);;") + AllFiles;
constexpr int HelpChanges = 36;
constexpr int HelpMacros = 27;

QPushButton *bottomButton(QWidget *parent, const char *name, const QString &text)
{
    auto *b = new QPushButton(text, parent);
    b->setObjectName(QLatin1String(name));
    b->setAutoDefault(false);
    return b;
}

} // namespace

TSettingForm::TSettingForm(SettingsStore &store, Messenger &messenger, const DialUpEntries &dialUp,
    SettingsDialogHost &host, QString folder, QWidget *parent)
    : QDialog(parent)
    , m_store(store)
    , m_messenger(messenger)
    , m_host(host)
    , m_folder(std::move(folder))
    , m_model(messenger, dialUp)
{
    setObjectName(QStringLiteral("TSettingForm"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Vesk各種設定"));
    setModal(false);
    m_model.load(store);

    m_pages = new QTabWidget(this);
    m_pages->setObjectName(QStringLiteral("pgcSetting"));
    // Every page's tab in sight: the dialog is as wide as they need.
    m_pages->setUsesScrollButtons(false);
    m_pages->addTab(settingpages::host(m_pages), QStringLiteral("ＨＯＳＴ設定"));
    m_pages->addTab(settingpages::security(m_pages), QStringLiteral("暗号化・認証"));
    m_pages->addTab(settingpages::connection(m_pages), QStringLiteral("接続方法"));
    m_pages->addTab(settingpages::mailer1(m_pages), QStringLiteral("メーラー1設定"));
    m_pages->addTab(settingpages::mailer2(m_pages), QStringLiteral("メーラー2設定"));
    m_rulePage = new RuleListsPage(m_model.rules(), m_pages);
    m_rulePage->setObjectName(QStringLiteral("tabRules"));
    m_pages->addTab(m_rulePage, QStringLiteral("振分け設定"));
    m_pages->addTab(settingpages::other(m_pages), QStringLiteral("その他設定"));

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(bottomButton(this, "btnHelp", QStringLiteral("変更内容(&H)")));
    buttons->addStretch(1);
    QPushButton *erase = bottomButton(this, "btnDefault", QStringLiteral("全設定消去"));
    erase->setToolTip(QStringLiteral("アンインストール時、レジストリを消去する"));
    buttons->addWidget(erase);
    buttons->addSpacing(16);
    buttons->addWidget(bottomButton(this, "btnOK", QStringLiteral("保存終了")));
    buttons->addWidget(bottomButton(this, "btnCancel", QStringLiteral("取り消し")));
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_pages, 1);
    layout->addLayout(buttons);

    bindControls();
    bindSpecialControls();
    connectButtons();
    connectChoosers();
    applyDependencies();
    m_pages->setCurrentIndex(0);
    control<QWidget>("ckbMailRound")->setFocus();
    connect(this, &QDialog::finished, this, [this] { m_host.dialogClosed(); });
}

TSettingForm::~TSettingForm() = default;

template <class W> W *TSettingForm::control(const char *name) const
{
    return findChild<W *>(QLatin1String(name));
}

void TSettingForm::bindControls()
{
    for (const DialogControl &c : dialogcontrols::all()) {
        const QString name = QLatin1String(c.control);
        QWidget *widget = findChild<QWidget *>(name);
        if (auto *box = qobject_cast<QCheckBox *>(widget)) {
            box->setChecked(m_model.checked(name));
            connect(box, &QCheckBox::toggled, this, [this, name](bool on) {
                m_model.setChecked(name, on);
                applyDependencies();
            });
        } else if (auto *edit = qobject_cast<QLineEdit *>(widget)) {
            edit->setText(m_model.text(name));
            connect(edit, &QLineEdit::textChanged, this,
                [this, name](const QString &text) { m_model.setText(name, text); });
        } else if (auto *spin = qobject_cast<QSpinBox *>(widget)) {
            spin->setRange(c.minimum, c.maximum);
            spin->setValue(m_model.number(name));
            connect(spin, &QSpinBox::valueChanged, this,
                [this, name](int value) { m_model.setNumber(name, value); });
        } else if (auto *choice = qobject_cast<QComboBox *>(widget)) {
            choice->setCurrentIndex(m_model.number(name));
            connect(choice, &QComboBox::currentIndexChanged, this, [this, name](int index) {
                m_model.setNumber(name, index);
                // An encryption chosen may move its server's port along.
                showPorts();
                applyDependencies();
            });
        } else {
            qWarning("TSettingForm: no control %s", c.control);
        }
    }
}

void TSettingForm::bindSpecialControls()
{
    auto *password = control<QLineEdit>("edtPassword");
    password->setText(m_model.secrets().password());
    connect(password, &QLineEdit::textChanged, this,
        [this](const QString &text) { m_model.secrets().setPassword(text); });
    control<QLabel>("lblPasswordInFile")->setVisible(m_model.secrets().passwordInFile());
    auto *smtpPassword = control<QLineEdit>("edtSmtpPassword");
    smtpPassword->setText(m_model.secrets().smtpPassword());
    connect(smtpPassword, &QLineEdit::textChanged, this,
        [this](const QString &text) { m_model.secrets().setSmtpPassword(text); });
    auto *clientSecret = control<QLineEdit>("edtOAuthClientSecret");
    clientSecret->setText(m_model.secrets().clientSecret());
    connect(clientSecret, &QLineEdit::textChanged, this,
        [this](const QString &text) { m_model.secrets().setClientSecret(text); });

    showRoundTime();
    connect(control<QLineEdit>("edtRoundTime"), &QLineEdit::textEdited, this, [this](const QString &text) {
        m_model.roundTime().setText(text);
        if (m_model.roundTime().text() != text)
            showRoundTime();
    });
    connect(control<QToolButton>("btnRoundUp"), &QToolButton::clicked, this, [this] {
        m_model.roundTime().up();
        showRoundTime();
    });
    connect(control<QToolButton>("btnRoundDown"), &QToolButton::clicked, this, [this] {
        m_model.roundTime().down();
        showRoundTime();
    });

    auto *lan = control<QRadioButton>("rdbLan");
    auto *dial = control<QRadioButton>("rdbDmode1");
    (m_model.connectionMethod().dialUp() ? dial : lan)->setChecked(true);
    connect(lan, &QRadioButton::clicked, this, [this, dial] {
        if (!m_model.connectionMethod().chooseLan())
            dial->setChecked(true);
        applyDependencies();
    });
    connect(dial, &QRadioButton::clicked, this, [this, lan] {
        if (!m_model.connectionMethod().chooseDialUp())
            lan->setChecked(true);
        showDialEntries();
        applyDependencies();
    });
    showDialEntries();
    auto takeEntry = [this] {
        if (m_model.connectionMethod().takeDialEntry(control<QListWidget>("ltbAp")->currentRow()))
            control<QLineEdit>("edtAp")->setText(m_model.text(u"edtAp"));
    };
    connect(control<QPushButton>("btnAP"), &QPushButton::clicked, this, takeEntry);
    connect(control<QListWidget>("ltbAp"), &QListWidget::itemDoubleClicked, this, takeEntry);
}

void TSettingForm::btnSignInClick()
{
    auto *result = control<QLabel>("lblSignIn");
    auto *button = control<QPushButton>("btnSignIn");
    result->setText(QStringLiteral("ブラウザでサインインしてください…"));
    button->setEnabled(false);
    // The answer may come after the dialog has gone.
    QPointer<TSettingForm> self(this);
    m_host.signIn(m_model.oauthClient(), [self, result, button](bool ok, const QString &text) {
        if (!self)
            return;
        button->setEnabled(true);
        result->setText(text);
        if (!ok)
            self->m_messenger.beep();
    });
}

void TSettingForm::connectButtons()
{
    auto on = [this](const char *name, auto handler) {
        connect(control<QAbstractButton>(name), &QAbstractButton::clicked, this, handler);
    };
    on("btnOK", [this] { btnOKClick(); });
    on("btnCancel", [this] { reject(); });
    on("btnDefault", [this] { btnDefaultClick(); });
    on("btnHelp", [this] { m_host.openHelp(HelpChanges); });
    on("btnPort", [this] {
        TPortForm ports(m_store, m_messenger, this);
        if (ports.exec() == QDialog::Accepted) {
            // It wrote the provider ports: the ones shown here follow.
            m_model.reloadPorts(m_store);
            showPorts();
        }
    });
    on("btnMonitorOn", [this] {
        if (!m_host.monitorOpen())
            m_host.openMonitor();
    });
    on("btnCheck", [this] { btnCheckClick(); });
    on("btnSignIn", [this] { btnSignInClick(); });
    on("btnTestCancel", [this] { m_model.cancelConnectionTest(m_host); });
    on("btnMonitorClear", [this] { m_model.clearMonitor(m_host); });
    on("btnMonitorClose", [this] { m_model.closeMonitor(m_host); });
    for (int mailer : { 1, 2 }) {
        const QString n = mailer == 2 ? QStringLiteral("2") : QString();
        const auto field = [this](const QString &name) { return m_model.text(name); };
        on(QStringLiteral("btnMailerTest%1").arg(mailer).toLatin1().constData(), [this, n, field] {
            m_host.testStartMailer(field(QStringLiteral("edtMailer") + n), field(QStringLiteral("edtMailerSw") + n));
        });
        on(QStringLiteral("btnMacroTest%1").arg(mailer).toLatin1().constData(), [this, n, field, mailer] {
            m_host.mailerMacroTest(mailer, field(QStringLiteral("edtMailer") + n),
                field(QStringLiteral("edtMailerSw") + n), field(QStringLiteral("edtMacro") + n));
        });
    }
    for (const char *name : { "btnMacroHelp1", "btnMacroHelp2" })
        on(name, [this] { m_host.openHelp(HelpMacros); });
    on("btnMailWaveTest", [this] { m_model.soundTest(m_host, u"edtMailWave"); });
    on("btnPlanWaveTest", [this] { m_model.soundTest(m_host, u"edtPlanWave"); });
}

void TSettingForm::connectChoosers()
{
    auto browseInto = [this](const char *buttonName, const char *field, const QString &filter) {
        connect(control<QPushButton>(buttonName), &QPushButton::clicked, this,
            [this, field, filter] { browse(field, filter); });
    };
    browseInto("btnMailerBrowse1", "edtMailer", AllFiles);
    browseInto("btnMailerBrowse2", "edtMailer2", AllFiles);
    browseInto("btnMailWaveBrowse", "edtMailWave", WaveFiles);
    browseInto("btnPlanWaveBrowse", "edtPlanWave", WaveFiles);

    auto *onColor = control<ColorButton>("spbOnColor");
    onColor->setColor(m_model.newMailColor());
    connect(onColor, &ColorButton::choosing, this,
        [this, onColor] { m_host.previewClockColor(onColor->color()); });
    connect(onColor, &ColorButton::colorChosen, this, [this](ColorValue color) {
        m_model.setNewMailColor(color);
        m_host.previewClockColor(color);
    });

    struct FontPair
    {
        const char *font;
        const char *color;
        SettingsDialogModel::FontChoice (SettingsDialogModel::*get)() const;
        void (SettingsDialogModel::*set)(const SettingsDialogModel::FontChoice &);
    };
    const FontPair pairs[] = {
        { "spbFont", "spbFontColor", &SettingsDialogModel::clockFont, &SettingsDialogModel::setClockFont },
        { "spbChmFont", "spbChmFontColor", &SettingsDialogModel::quickViewFont,
            &SettingsDialogModel::setQuickViewFont },
    };
    for (const FontPair &pair : pairs) {
        auto *font = control<FontButton>(pair.font);
        auto *color = control<ColorButton>(pair.color);
        font->setChoice((m_model.*pair.get)());
        color->setColor((m_model.*pair.get)().color);
        connect(
            font, &FontButton::fontChosen, this, [this, font, pair] { (m_model.*pair.set)(font->choice()); });
        connect(color, &ColorButton::colorChosen, this, [this, font, pair](ColorValue chosen) {
            SettingsDialogModel::FontChoice choice = (m_model.*pair.get)();
            choice.color = chosen;
            (m_model.*pair.set)(choice);
            font->setChoice(choice);
        });
    }
}

void TSettingForm::browse(const char *field, const QString &filter)
{
    QLineEdit *edit = control<QLineEdit>(field);
    const QString chosen
        = QFileDialog::getOpenFileName(this, QString(), QFileInfo(edit->text()).absolutePath(), filter);
    if (!chosen.isEmpty())
        edit->setText(chosen);
}

void TSettingForm::showPorts()
{
    for (const char *name : { "spePop3Port", "speSmtpPort" })
        control<QSpinBox>(name)->setValue(m_model.number(QString::fromLatin1(name)));
}

void TSettingForm::showRoundTime()
{
    control<QLineEdit>("edtRoundTime")->setText(m_model.roundTime().text());
}

void TSettingForm::showDialEntries()
{
    auto *list = control<QListWidget>("ltbAp");
    list->clear();
    list->addItems(m_model.connectionMethod().dialEntries());
    if (list->count() > 0)
        list->setCurrentRow(0);
    control<QLabel>("lblDialHint")->setVisible(!m_model.connectionMethod().dialUpAvailable());
    // Fewer than two entries untick it.
    control<QCheckBox>("ckbDefNoncheck")->setChecked(m_model.checked(u"ckbDefNoncheck"));
}

void TSettingForm::applyDependencies()
{
    using controldeps::Effect;
    for (const controldeps::ControlRule &rule : controldeps::rules()) {
        const QString name = QLatin1String(rule.control);
        QWidget *widget = findChild<QWidget *>(name);
        if (!widget)
            continue;
        const bool on = m_model.usable(name);
        switch (rule.effect) {
        case Effect::Enable:
            widget->setEnabled(on);
            break;
        case Effect::Show:
            if (const int tab = m_pages->indexOf(widget); tab >= 0)
                m_pages->setTabVisible(tab, on);
            else
                widget->setVisible(on);
            break;
        case Effect::Write:
            if (auto *edit = qobject_cast<QLineEdit *>(widget))
                edit->setReadOnly(!on);
            break;
        }
    }
}

void TSettingForm::btnOKClick()
{
    if (m_model.save(m_store, m_folder) != SettingsDialogModel::SaveResult::Saved)
        return;
    m_host.settingsSaved(m_model.checked(u"ckbServerON"));
    accept();
}

void TSettingForm::btnDefaultClick()
{
    m_messenger.beep();
    bool answered = false;
    const QString typed = QInputDialog::getText(this, QStringLiteral("全設定消去確認"),
        QStringLiteral("HOST設定のパスワードを入力してください"), QLineEdit::Normal,
        QStringLiteral("Password"), &answered);
    // Cancelled: nothing is erased, and nothing needs saying.
    if (!answered)
        return;
    if (m_model.eraseAll(m_store, typed) != EraseResult::Erased)
        return;
    QPointer<TSettingForm> self(this);
    m_host.settingsErased();
    if (self)
        QDialog::reject();
}

void TSettingForm::btnCheckClick()
{
    QPointer<TSettingForm> self(this);
    m_testing = true;
    for (const char *name : { "btnOK", "btnCancel", "btnDefault", "btnCheck" })
        control<QPushButton>(name)->setEnabled(false);
    m_model.connectionTest(m_host);
    if (!self)
        return;
    m_testing = false;
    for (const char *name : { "btnOK", "btnCancel", "btnDefault" })
        control<QPushButton>(name)->setEnabled(true);
    applyDependencies();
}

bool TSettingForm::testRunning() const
{
    return m_testing;
}

void TSettingForm::reject()
{
    if (testRunning()) {
        m_messenger.beep();
        return;
    }
    QDialog::reject();
}

void TSettingForm::closeEvent(QCloseEvent *event)
{
    if (testRunning()) {
        m_messenger.beep();
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}

void TSettingForm::showRulePage()
{
    m_pages->setCurrentWidget(m_rulePage);
}

void TSettingForm::showEvent(QShowEvent *event)
{
    // Where the window manager would put it, but never under the strip.
    if (!event->spontaneous() && !m_placed) {
        m_placed = true;
        windowplace::placeNew(this);
    }
    QDialog::showEvent(event);
}

void TSettingForm::offerRule(int list, const QString &text)
{
    showRulePage();
    if (auto *entry = m_rulePage->findChild<QLineEdit *>(QStringLiteral("edtAdrs%1").arg(list))) {
        entry->setText(text);
        entry->setFocus();
    }
}

} // namespace vesk
