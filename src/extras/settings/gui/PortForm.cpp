#include "extras/settings/gui/PortForm.h"

#include "platform/Messenger.h"
#include "settings/SettingsStore.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace vesk {
namespace {

// Captions in the order of PortDialogModel::fields().
const char *const Captions[PortDialogModel::FieldCount] = {
    "プロバイダのSMTPサーバ",
    "メーラー1用 SMTP",
    "メーラー2用 SMTP",
    "プロバイダのPOP3サーバ",
    "メーラー1用 POP3",
    "メーラー2用 POP3",
};

} // namespace

TPortForm::TPortForm(SettingsStore &store, Messenger &messenger, QWidget *parent)
    : QDialog(parent)
    , m_store(store)
    , m_messenger(messenger)
{
    setObjectName(QStringLiteral("TPortForm"));
    setWindowTitle(QStringLiteral("高度な設定（ポート番号）"));
    setModal(true);
    m_model.load(store);

    auto *smtp = new QGroupBox(QStringLiteral("SMTP（送信）"), this);
    auto *pop3 = new QGroupBox(QStringLiteral("POP3（受信）"), this);
    auto *smtpGrid = new QGridLayout(smtp);
    auto *pop3Grid = new QGridLayout(pop3);
    for (int i = 0; i < PortDialogModel::FieldCount; ++i) {
        QGridLayout *grid = i < 3 ? smtpGrid : pop3Grid;
        auto *field = new QLineEdit(this);
        field->setObjectName(QStringLiteral("edt") + PortDialogModel::name(i));
        field->setMaxLength(5);
        field->setMaximumWidth(80);
        auto *label = new QLabel(QString::fromUtf8(Captions[i]), this);
        label->setBuddy(field);
        grid->addWidget(label, i % 3, 0);
        grid->addWidget(field, i % 3, 1);
        m_fields[i] = field;
    }
    auto *note = new QLabel(
        QStringLiteral(
            "1024未満のポートを使うには権限が必要です。\n各種設定を閉じると、新しいポートで待ち受けます。"),
        this);

    auto *buttons = new QDialogButtonBox(this);
    QPushButton *ok = buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("btnOK"));
    QPushButton *cancel = buttons->addButton(QStringLiteral("キャンセル"), QDialogButtonBox::RejectRole);
    cancel->setObjectName(QStringLiteral("btnCancel"));
    QPushButton *defaults
        = buttons->addButton(PortDialogModel::defaultsButtonText(), QDialogButtonBox::ResetRole);
    defaults->setObjectName(QStringLiteral("btnDefault"));
    connect(buttons, &QDialogButtonBox::accepted, this, &TPortForm::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &TPortForm::reject);
    connect(defaults, &QPushButton::clicked, this, &TPortForm::btnDefaultClick);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(smtp);
    layout->addWidget(pop3);
    layout->addWidget(note);
    layout->addWidget(buttons);
    showTexts();
}

void TPortForm::showTexts()
{
    for (int i = 0; i < PortDialogModel::FieldCount; ++i)
        m_fields[i]->setText(m_model.texts()[i]);
}

void TPortForm::btnDefaultClick()
{
    m_model.resetToDefaults();
    showTexts();
}

void TPortForm::accept()
{
    for (int i = 0; i < PortDialogModel::FieldCount; ++i)
        m_model.setText(i, m_fields[i]->text());
    if (!m_model.accept(m_store)) {
        // What was typed stays for another try.
        m_messenger.message(m_store.errorText());
        return;
    }
    QDialog::accept();
}

} // namespace vesk
