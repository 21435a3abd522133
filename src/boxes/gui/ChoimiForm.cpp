#include "boxes/gui/ChoimiForm.h"

#include "boxes/BoxWindowLayout.h"
#include "boxes/QuickViewModel.h"
#include "platform/gui/WindowPlacement.h"
#include "settings/FontStyleBits.h"
#include "settings/Settings.h"

#include <QApplication>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QToolButton>
#include <QVBoxLayout>

namespace vesk {
namespace {

constexpr int HeaderPaneHeight = 70;

QFont bodyFont(const Settings &settings)
{
    QFont font(settings.ChoimiFName);
    font.setStyleHint(QFont::TypeWriter);
    font.setPointSize(qBound(6, settings.ChoimiFSize, 48));
    const FontStyleBits style(settings.ChoimiFStyle);
    font.setBold(style.has(FontStyleBits::Bold));
    font.setItalic(style.has(FontStyleBits::Italic));
    font.setUnderline(style.has(FontStyleBits::Underline));
    font.setStrikeOut(style.has(FontStyleBits::StrikeOut));
    return font;
}

QColor bodyColor(ColorValue value)
{
    // The desktop's own text colour unless a colour of its own was chosen.
    if (value.isSystemColor())
        return QApplication::palette().color(QPalette::Text);
    return QColor(value.red(), value.green(), value.blue());
}

QPlainTextEdit *makePane(QWidget *parent)
{
    auto *pane = new QPlainTextEdit(parent);
    pane->setReadOnly(true);
    pane->setLineWrapMode(QPlainTextEdit::NoWrap);
    pane->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    return pane;
}

} // namespace

TChoimiForm::TChoimiForm(
    QuickViewModel &model, SettingsStore &settingsStore, const Settings &settings, QWidget *parent)
    : QWidget(parent, Qt::Window)
    , m_model(model)
    , m_settingsStore(settingsStore)
    , m_buttons(new QWidget(this))
    , m_memHead(makePane(this))
    , m_memChoimi(makePane(this))
    , m_statusBar(new QWidget(this))
{
    setObjectName(QStringLiteral("TChoimiForm"));
    setAttribute(Qt::WA_DeleteOnClose);
    setAttribute(Qt::WA_ShowWithoutActivating);

    auto *buttons = new QHBoxLayout(m_buttons);
    buttons->setContentsMargins(2, 2, 2, 2);
    buttons->setSpacing(1);
    QToolButton *spbClose = addButton(m_buttons, QStringLiteral("閉じる"), QStringLiteral("閉じる (Esc)"));
    QToolButton *spbUp = addButton(m_buttons, QStringLiteral("前見"), QStringLiteral("前のメールをちょい見"));
    QToolButton *spbDown = addButton(m_buttons, QStringLiteral("次見"), QStringLiteral("次のメールをちょい見"));
    QToolButton *spbErase = addButton(m_buttons, QStringLiteral("ゴミ箱"), QStringLiteral("即ゴミ箱行き"));
    QToolButton *spbReceive
        = addButton(m_buttons, QStringLiteral("メーラー"), QStringLiteral("このメールのメーラーを起動"));
    m_spbHead = addButton(m_buttons, QStringLiteral("ヘッダ"), QStringLiteral("ヘッダの表示 ON/OFF"));
    m_spbHead->setCheckable(true);
    m_spbPelma = addButton(m_buttons, QStringLiteral("付箋貼付"), QStringLiteral("選択した文字を付箋紙に貼る"));
    m_spbPelma->hide();
    connect(m_spbPelma, &QToolButton::clicked, this, &TChoimiForm::pasteToStickyNote);
    buttons->addStretch(1);

    m_memChoimi->setFont(bodyFont(settings));
    QPalette palette = m_memChoimi->palette();
    palette.setColor(QPalette::Text, bodyColor(settings.ChoimiFColor));
    m_memChoimi->setPalette(palette);
    m_memChoimi->installEventFilter(this);
    m_memChoimi->viewport()->installEventFilter(this);

    auto *status = new QHBoxLayout(m_statusBar);
    status->setContentsMargins(2, 1, 2, 1);
    status->setSpacing(4);
    for (int i = 0; i < 6; ++i) {
        auto *panel = new QLabel(m_statusBar);
        panel->setTextFormat(Qt::PlainText);
        if (i % 2 == 1) {
            panel->setFrameShape(QFrame::StyledPanel);
            panel->setFrameShadow(QFrame::Sunken);
            panel->setMinimumWidth(40);
            panel->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
        }
        status->addWidget(panel, i % 2 == 1 ? 1 : 0);
        m_panels << panel;
    }
    // The file name always fits; the names share the rest.
    m_panels[5]->setMinimumWidth(
        m_panels[5]->fontMetrics().horizontalAdvance(QStringLiteral("2026120608000000012.ID")) + 8);
    m_panels[5]->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);
    m_panels[0]->setText(QStringLiteral("相手"));
    m_panels[2]->setText(QStringLiteral("自分"));
    m_panels[4]->setText(QStringLiteral("FileID"));

    auto *column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    column->addWidget(m_buttons);
    column->addWidget(m_memHead);
    column->addWidget(m_memChoimi, 1);
    column->addWidget(makeLowerButtons());
    column->addWidget(m_statusBar);

    connect(spbClose, &QToolButton::clicked, this, &QWidget::close);
    connect(spbUp, &QToolButton::clicked, &m_model, &QuickViewModel::stepUp);
    connect(spbDown, &QToolButton::clicked, &m_model, &QuickViewModel::stepDown);
    connect(spbErase, &QToolButton::clicked, &m_model, &QuickViewModel::erase);
    connect(spbReceive, &QToolButton::clicked, &m_model, &QuickViewModel::launchMailer);
    connect(m_spbHead, &QToolButton::toggled, this, &TChoimiForm::setHeaderShown);
    connect(&m_model, &QuickViewModel::changed, this, &TChoimiForm::refresh);

    const QuickViewLayout layout = QuickViewLayout::read(m_settingsStore);
    m_spbHead->setChecked(layout.header);
    setHeaderShown(layout.header);
    resize(std::max(200, layout.width), std::max(100, layout.height));
    windowplace::restore(this, QPoint(layout.left, layout.top));
    refresh();
}

TChoimiForm::~TChoimiForm() = default;

QToolButton *TChoimiForm::addButton(QWidget *panel, const QString &text, const QString &tip)
{
    auto *button = new QToolButton(panel);
    button->setText(text);
    button->setToolTip(tip);
    button->setFocusPolicy(Qt::NoFocus);
    panel->layout()->addWidget(button);
    return button;
}

// The buttons a reader needs at the end of a long text, again under the body.
QWidget *TChoimiForm::makeLowerButtons()
{
    auto *panel = new QWidget(this);
    panel->setObjectName(QStringLiteral("lowerButtons"));
    auto *row = new QHBoxLayout(panel);
    row->setContentsMargins(2, 1, 2, 1);
    row->setSpacing(1);
    row->addStretch(1);
    QToolButton *close = addButton(panel, QStringLiteral("閉じる"), QStringLiteral("閉じる (Esc)"));
    m_lowerPelma = addButton(panel, QStringLiteral("付箋貼付"), QStringLiteral("選択した文字を付箋紙に貼る"));
    m_lowerPelma->hide();
    QToolButton *erase = addButton(panel, QStringLiteral("ゴミ箱"), QStringLiteral("即ゴミ箱行き"));
    QToolButton *up = addButton(panel, QStringLiteral("前見"), QStringLiteral("前のメールをちょい見"));
    QToolButton *down = addButton(panel, QStringLiteral("次見"), QStringLiteral("次のメールをちょい見"));
    connect(close, &QToolButton::clicked, this, &QWidget::close);
    connect(m_lowerPelma, &QToolButton::clicked, this, &TChoimiForm::pasteToStickyNote);
    connect(erase, &QToolButton::clicked, &m_model, &QuickViewModel::erase);
    connect(up, &QToolButton::clicked, &m_model, &QuickViewModel::stepUp);
    connect(down, &QToolButton::clicked, &m_model, &QuickViewModel::stepDown);
    return panel;
}

void TChoimiForm::pasteToStickyNote()
{
    QPlainTextEdit *pane = m_memHead->hasFocus() ? m_memHead : m_memChoimi;
    const QTextCursor cursor = pane->textCursor();
    const QString text = cursor.hasSelection() ? cursor.selectedText() : pane->toPlainText();
    emit stickyNoteRequested(QString(text).replace(QChar::ParagraphSeparator, u'\n'));
}

void TChoimiForm::setStatusShown(bool shown)
{
    m_statusBar->setVisible(shown);
}

void TChoimiForm::setPelmaShown(bool shown)
{
    m_spbPelma->setVisible(shown);
    m_lowerPelma->setVisible(shown);
}

void TChoimiForm::setHeaderShown(bool shown)
{
    m_memHead->setFixedHeight(shown ? HeaderPaneHeight : 0);
    m_memHead->setVisible(shown);
}

void TChoimiForm::refresh()
{
    setWindowTitle(m_model.caption());
    m_memHead->setPlainText(m_model.headerLines().join(QLatin1Char('\n')));
    m_memChoimi->setPlainText(m_model.bodyLines().join(QLatin1Char('\n')));
    m_panels[1]->setText(m_model.otherParty());
    m_panels[3]->setText(m_model.ownName());
    m_panels[5]->setText(m_model.fileName());
}

QString TChoimiForm::headerText() const
{
    return m_memHead->toPlainText();
}

QString TChoimiForm::bodyText() const
{
    return m_memChoimi->toPlainText();
}

QStringList TChoimiForm::statusTexts() const
{
    QStringList texts;
    for (const QLabel *panel : m_panels)
        texts << panel->text();
    return texts;
}

bool TChoimiForm::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent *>(event)->key() == Qt::Key_Escape) {
        close();
        return true;
    }
    if (event->type() == QEvent::MouseButtonDblClick && watched == m_memChoimi->viewport()) {
        m_model.launchMailer();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void TChoimiForm::closeEvent(QCloseEvent *event)
{
    QuickViewLayout layout;
    const QPoint place = windowplace::savedTopLeft(this);
    layout.top = place.y();
    layout.left = place.x();
    layout.width = width();
    layout.height = height();
    layout.header = m_spbHead->isChecked();
    if (isMaximized())
        layout = QuickViewLayout::read(m_settingsStore);
    layout.header = m_spbHead->isChecked();
    layout.write(m_settingsStore);
    m_model.setOpen(false);
    QWidget::closeEvent(event);
}

} // namespace vesk
