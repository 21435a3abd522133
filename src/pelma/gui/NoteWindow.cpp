#include "pelma/gui/NoteWindow.h"

#include <QContextMenuEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QPlainTextEdit>
#include <QSizeGrip>
#include <QToolButton>
#include <QVBoxLayout>

namespace vesk {
namespace {

const QColor Paper(255, 247, 153);
const QColor HeadPaper(245, 226, 90);
const QColor Edge(190, 165, 60);

} // namespace

NoteWindow::NoteWindow(const Note &note, QWidget *parent)
    : QWidget(parent, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
    , m_fileName(note.fileName)
    , m_head(new QWidget(this))
    , m_date(new QLabel(m_head))
    , m_close(new QToolButton(m_head))
    , m_text(new QPlainTextEdit(this))
{
    setObjectName(QStringLiteral("PelmaNote"));
    setWindowTitle(QStringLiteral("付箋"));
    // Notes come up without taking the focus from what the user does.
    setAttribute(Qt::WA_ShowWithoutActivating);
    setMinimumSize(NoteFile::MinSide, NoteFile::MinSide);

    QPalette paper = palette();
    paper.setColor(QPalette::Window, Paper);
    paper.setColor(QPalette::Base, Paper);
    paper.setColor(QPalette::Text, Qt::black);
    paper.setColor(QPalette::WindowText, Qt::black);
    setPalette(paper);
    setAutoFillBackground(true);
    QPalette head = paper;
    head.setColor(QPalette::Window, HeadPaper);
    m_head->setPalette(head);
    m_head->setAutoFillBackground(true);
    m_head->setCursor(Qt::SizeAllCursor);
    m_head->setToolTip(QStringLiteral("ドラッグで移動します。右クリックで削除できます"));
    m_head->installEventFilter(this);

    m_date->setText(note.date.isEmpty() ? QStringLiteral("付箋") : note.date);
    m_date->setTextFormat(Qt::PlainText);
    m_date->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_close->setText(QStringLiteral("×"));
    m_close->setAutoRaise(true);
    m_close->setFocusPolicy(Qt::NoFocus);
    m_close->setToolTip(QStringLiteral("付箋を閉じます（内容は残ります）"));

    m_text->setPlainText(note.text);
    m_text->setFrameShape(QFrame::NoFrame);
    m_text->setPalette(paper);

    auto *headRow = new QHBoxLayout(m_head);
    headRow->setContentsMargins(4, 1, 1, 1);
    headRow->addWidget(m_date, 1);
    headRow->addWidget(m_close);

    auto *grip = new QSizeGrip(this);
    auto *column = new QVBoxLayout(this);
    column->setContentsMargins(1, 1, 1, 1);
    column->setSpacing(0);
    column->addWidget(m_head);
    column->addWidget(m_text, 1);
    column->addWidget(grip, 0, Qt::AlignRight | Qt::AlignBottom);

    connect(m_close, &QToolButton::clicked, this, [this] { emit closeRequested(m_fileName); });
    connect(m_text, &QPlainTextEdit::textChanged, this,
        [this] { emit textEdited(m_fileName, m_text->toPlainText()); });
}

QString NoteWindow::text() const
{
    return m_text->toPlainText();
}

QString NoteWindow::heading() const
{
    return m_date->text();
}

bool NoteWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != m_head)
        return QWidget::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::MouseButtonPress: {
        auto *mouse = static_cast<QMouseEvent *>(event);
        if (mouse->button() == Qt::LeftButton) {
            m_dragging = true;
            m_dragOffset = mouse->globalPosition().toPoint() - frameGeometry().topLeft();
            return true;
        }
        break;
    }
    case QEvent::MouseMove: {
        auto *mouse = static_cast<QMouseEvent *>(event);
        if (m_dragging && (mouse->buttons() & Qt::LeftButton)) {
            move(mouse->globalPosition().toPoint() - m_dragOffset);
            return true;
        }
        break;
    }
    case QEvent::MouseButtonRelease:
        m_dragging = false;
        break;
    case QEvent::ContextMenu: {
        QMenu menu;
        QAction *remove = menu.addAction(QStringLiteral("この付箋を削除(&D)"));
        if (menu.exec(static_cast<QContextMenuEvent *>(event)->globalPos()) == remove)
            emit deleteRequested(m_fileName);
        return true;
    }
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}

void NoteWindow::paintEvent(QPaintEvent *event)
{
    QWidget::paintEvent(event);
    // A thin edge: a note on a light desktop still has a shape.
    QPainter painter(this);
    painter.setPen(Edge);
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

void NoteWindow::moveEvent(QMoveEvent *event)
{
    QWidget::moveEvent(event);
    if (isVisible())
        emit placeChanged(m_fileName, geometry());
}

void NoteWindow::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    if (isVisible())
        emit placeChanged(m_fileName, geometry());
}

} // namespace vesk
