#include "extras/version/gui/VersionForm.h"

#include "VeskVersion.h"

#include <QDesktopServices>
#include <QEvent>
#include <QFrame>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace vesk {
namespace {

// The maker's page with the newest release.
const char *const HomePageAddress = "https://dorvane.example.jp/vesk/";

const char *const LogoPicture = ":/vesk/pictures/logo.png";

} // namespace

QUrl TVersionForm::homePage()
{
    return QUrl(QString::fromLatin1(HomePageAddress));
}

TVersionForm::TVersionForm(Role role, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint)
    , m_role(role)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("VeskVer"));
    const QPixmap logo(QString::fromLatin1(LogoPicture));

    imgLogo = new QLabel(this);
    imgLogo->setObjectName(QStringLiteral("imgLogo"));
    imgLogo->setPixmap(logo);
    imgLogo->setFrameShape(QFrame::Box);

    pnlBase = new QFrame(this);
    pnlBase->setObjectName(QStringLiteral("pnlBase"));
    pnlBase->setFrameShape(QFrame::Panel);
    pnlBase->setFrameShadow(QFrame::Raised);
    pnlBase->setLineWidth(2);

    imgVesk = new QLabel(pnlBase);
    imgVesk->setObjectName(QStringLiteral("imgVesk"));
    imgVesk->setAlignment(Qt::AlignCenter);

    pnlVer = new QLabel(pnlBase);
    pnlVer->setObjectName(QStringLiteral("pnlVer"));
    pnlVer->setAlignment(Qt::AlignCenter);
    pnlVer->setFrameShape(QFrame::Panel);
    pnlVer->setFrameShadow(QFrame::Sunken);
    QFont versionFont = pnlVer->font();
    versionFont.setBold(true);
    versionFont.setPointSizeF(versionFont.pointSizeF() * 1.2);
    pnlVer->setFont(versionFont);

    edtUrl = new QLabel(pnlBase);
    edtUrl->setObjectName(QStringLiteral("edtUrl"));
    edtUrl->setAlignment(Qt::AlignCenter);
    edtUrl->setTextFormat(Qt::RichText);
    edtUrl->setText(
        QStringLiteral("<a href=\"%1\">Dorvane's Home</a>").arg(homePage().toString().toHtmlEscaped()));
    edtUrl->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
    edtUrl->setOpenExternalLinks(false);
    edtUrl->setCursor(Qt::PointingHandCursor);
    edtUrl->setToolTip(QStringLiteral("最新のVeskがアップしてあるDorvane's Homeに飛びます。"));
    connect(edtUrl, &QLabel::linkActivated, this, &TVersionForm::edtUrlClick);

    btnClose = new QPushButton(pnlBase);
    btnClose->setObjectName(QStringLiteral("btnClose"));
    btnClose->setToolTip(QStringLiteral("バージョン表示を閉じます"));
    btnClose->setDefault(true);
    connect(btnClose, &QPushButton::clicked, this, &QWidget::close);

    auto *base = new QVBoxLayout(pnlBase);
    base->setContentsMargins(8, 8, 8, 8);
    base->addWidget(imgVesk);
    base->addWidget(pnlVer);
    base->addWidget(edtUrl);
    base->addWidget(btnClose, 0, Qt::AlignHCenter);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->addWidget(imgLogo);
    layout->addWidget(pnlBase);

    // The splash's close button has no caption: it shows the logo alone.
    if (m_role == Role::About)
        btnClose->setText(QStringLiteral("閉じる"));
}

void TVersionForm::showEvent(QShowEvent *event)
{
    const bool about = !btnClose->text().isEmpty();
    imgLogo->setVisible(!about);
    pnlBase->setVisible(about);
    if (about)
        imgVesk->setPixmap(imgLogo->pixmap());
    pnlVer->setText(QStringLiteral("Ver ") + QStringLiteral(VESK_PRODUCT_VERSION));
    adjustSize();
    if (const QScreen *where = screen())
        move(where->availableGeometry().center() - rect().center());
    QDialog::showEvent(event);
}

void TVersionForm::changeEvent(QEvent *event)
{
    QDialog::changeEvent(event);
    // Another window became active: the splash gives way to the program's
    // windows, the about window to wherever the user clicked.
    if (event->type() == QEvent::ActivationChange && isVisible() && !isActiveWindow())
        close();
}

void TVersionForm::edtUrlClick()
{
    QDesktopServices::openUrl(homePage());
    close();
}

} // namespace vesk
