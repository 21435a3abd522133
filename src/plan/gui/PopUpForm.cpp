#include "plan/gui/PopUpForm.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace vesk {

TPopUpForm::TPopUpForm(
    const QString &message, const QString &dateTime, const QString &comment, QWidget *parent)
    : QWidget(parent, Qt::Window)
    , m_pnlColor(new QWidget(this))
    , m_pnlDate(new QLabel(dateTime, m_pnlColor))
    , m_pnlComm(new QLabel(comment, m_pnlColor))
    , m_btnOK(new QPushButton(QStringLiteral("了解(&X)"), m_pnlColor))
    , m_btnCopy(new QPushButton(QStringLiteral("付箋紙貼付(&G)"), m_pnlColor))
{
    setObjectName(QStringLiteral("TPopUpForm"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(message);

    m_pnlColor->setAutoFillBackground(true);
    QPalette palette = m_pnlColor->palette();
    palette.setColor(QPalette::Window, colourFor(message));
    palette.setColor(QPalette::WindowText, Qt::white);
    m_pnlColor->setPalette(palette);
    for (QLabel *label : { m_pnlDate, m_pnlComm }) {
        label->setTextFormat(Qt::PlainText);
        label->setAlignment(Qt::AlignCenter);
    }
    m_pnlDate->setToolTip(QStringLiteral("スケジュールの時間"));
    m_pnlComm->setToolTip(QStringLiteral("スケジュールの内容"));
    m_pnlComm->setWordWrap(true);
    m_btnCopy->setToolTip(QStringLiteral("上記の内容を付箋紙で貼り付けます"));
    m_btnCopy->setVisible(false);
    m_btnOK->setDefault(true);
    m_btnOK->setAutoDefault(true);
    m_btnOK->setShortcut(QKeySequence(Qt::Key_Escape));

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_btnOK);
    buttons->addWidget(m_btnCopy);
    buttons->addStretch(1);
    auto *inner = new QVBoxLayout(m_pnlColor);
    inner->setContentsMargins(6, 6, 6, 6);
    inner->setSpacing(4);
    inner->addWidget(m_pnlDate);
    inner->addWidget(m_pnlComm, 1);
    inner->addLayout(buttons);
    auto *outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(m_pnlColor);

    // The client area of the old window, grown only for a long comment.
    setFixedWidth(225);
    setMinimumHeight(85);
    resize(225, std::max(85, sizeHint().height()));

    connect(m_btnOK, &QPushButton::clicked, this, &QWidget::close);
    connect(m_btnCopy, &QPushButton::clicked, this, [this] {
        emit copyRequested(m_pnlDate->text(), m_pnlComm->text());
        close();
    });
}

QColor TPopUpForm::colourFor(const QString &caption)
{
    if (caption == OverdueCaption)
        return QColor(128, 0, 0); // maroon
    if (caption == TodayCaption)
        return QColor(128, 128, 0); // olive
    return QColor(0, 128, 0); // green
}

void TPopUpForm::setCopyOffered(bool offered)
{
    m_btnCopy->setVisible(offered);
}

void TPopUpForm::placeCentred(const QRect &screen, int offset)
{
    move(screen.left() + (screen.width() - width()) / 2 + offset,
        screen.top() + (screen.height() - height()) / 2 + offset);
}

QColor TPopUpForm::panelColour() const
{
    return m_pnlColor->palette().color(QPalette::Window);
}

QString TPopUpForm::dateText() const
{
    return m_pnlDate->text();
}

} // namespace vesk
