#include "extras/gui/DebugForm.h"

#include "mail/ProtocolMonitor.h"
#include "platform/Messenger.h"
#include "settings/SettingsSections.h"
#include "settings/SettingsStore.h"
#include "platform/gui/WindowPlacement.h"

#include <QCloseEvent>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>
#include <QTimer>
#include <QTextBlock>
#include <QTextCursor>
#include <QVBoxLayout>

namespace vesk {
namespace {

const QString TopName = QStringLiteral("DebugTop");
const QString LeftName = QStringLiteral("DebugLeft");

} // namespace

TDebugForm::TDebugForm(ProtocolMonitor &monitor, SettingsStore &settings, Messenger &messenger,
    const Clock &clock, QString dataFolder, QWidget *parent)
    : QWidget(parent, Qt::Window)
    , m_monitor(monitor)
    , m_settings(settings)
    , m_messenger(messenger)
    , m_clock(clock)
    , m_dataFolder(std::move(dataFolder))
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Vesk communication moniter < Server - Vesk - Mailer >"));

    memMon = new QPlainTextEdit(this);
    memMon->setObjectName(QStringLiteral("memMon"));
    memMon->setReadOnly(true);
    // Lines pushed out of the view must not live on in its undo history.
    memMon->setUndoRedoEnabled(false);
    memMon->setLineWrapMode(QPlainTextEdit::NoWrap);
    memMon->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    memMon->setToolTip(QStringLiteral("Veskが送った内容には、先頭に「<」が付きます。"));

    auto button = [this](const char *name, const QString &caption, const QString &hint) {
        auto *b = new QPushButton(caption, this);
        b->setObjectName(QLatin1String(name));
        b->setToolTip(hint);
        b->setAutoDefault(false);
        return b;
    };
    btnClear = button("btnClear", QStringLiteral("CLEAR(&C)"), QStringLiteral("表示をクリア"));
    btnSave = button("btnSave", QStringLiteral("履歴書込(&W)"), QStringLiteral("表示内容をファイルに落とす"));
    btnClose = button("btnClose", QStringLiteral("閉じる(&X)"), QStringLiteral("モニターを閉じる"));
    connect(btnClear, &QPushButton::clicked, this, &TDebugForm::btnClearClick);
    connect(btnSave, &QPushButton::clicked, this, &TDebugForm::btnSaveClick);
    connect(btnClose, &QPushButton::clicked, this, &QWidget::close);

    stbDebug = new QStatusBar(this);
    stbDebug->setObjectName(QStringLiteral("stbDebug"));
    stbDebug->setSizeGripEnabled(false);
    lblStatus = new QLabel(stbDebug);
    stbDebug->addWidget(lblStatus, 1);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(btnClear);
    buttons->addWidget(btnSave);
    buttons->addWidget(btnClose);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 0);
    layout->setSpacing(4);
    layout->addWidget(memMon, 1);
    layout->addLayout(buttons);
    layout->addWidget(stbDebug);
    resize(620, 380);

    m_viewUpdate = new QTimer(this);
    m_viewUpdate->setSingleShot(true);
    m_viewUpdate->setInterval(0);
    connect(m_viewUpdate, &QTimer::timeout, this, &TDebugForm::updateView);
    m_monitor.attach([this](const QString &line) { addEntry(line); });
}

TDebugForm::~TDebugForm()
{
    finish();
}

void TDebugForm::setStatusText(const QString &text)
{
    lblStatus->setText(text);
}

QString TDebugForm::statusText() const
{
    return lblStatus->text();
}

void TDebugForm::addEntry(const QString &text)
{
    m_droppedSinceShown += m_log.append(text).dropped;
    if (!m_viewUpdate->isActive())
        m_viewUpdate->start();
}

void TDebugForm::updateView()
{
    m_viewUpdate->stop();
    // The view holds exactly the log's lines.
    if (m_shownLines == 0 || m_droppedSinceShown >= m_shownLines) {
        memMon->setPlainText(m_log.lines().join(u'\n'));
        memMon->moveCursor(QTextCursor::End);
    } else {
        if (m_droppedSinceShown > 0) {
            QTextCursor cursor(memMon->document());
            cursor.movePosition(QTextCursor::Start);
            cursor.movePosition(QTextCursor::NextBlock, QTextCursor::KeepAnchor, int(m_droppedSinceShown));
            cursor.removeSelectedText();
        }
        const qsizetype kept = m_shownLines - m_droppedSinceShown;
        if (m_log.lines().size() > kept)
            memMon->appendPlainText(m_log.lines().sliced(kept).join(u'\n'));
    }
    m_shownLines = m_log.lines().size();
    m_droppedSinceShown = 0;
}

void TDebugForm::btnClearClick()
{
    m_log.clear();
    memMon->clear();
    m_shownLines = m_droppedSinceShown = 0;
}

void TDebugForm::btnSaveClick()
{
    const MonitorLog::SaveResult saved = m_log.save(m_dataFolder, m_clock);
    m_messenger.beep();
    if (saved.ok())
        m_messenger.message(saved.fileName + QStringLiteral("　でセーブしました"));
    else
        m_messenger.message(QStringLiteral("履歴を書き込めません\n") + saved.error);
}

void TDebugForm::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (event->spontaneous())
        return;
    // A place left on a screen that is gone, or under the strip, is not kept.
    windowplace::restore(this, QPoint(m_settings.readInteger(sections::Disp, LeftName, 0),
        m_settings.readInteger(sections::Disp, TopName, 0)));
    m_placed = true;
}

void TDebugForm::closeEvent(QCloseEvent *event)
{
    finish();
    QWidget::closeEvent(event);
    emit closed();
}

void TDebugForm::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        btnClose->click();
        return;
    }
    QWidget::keyPressEvent(event);
}

void TDebugForm::finish()
{
    if (m_finished)
        return;
    m_finished = true;
    m_monitor.attach({});
    if (!m_placed)
        return;
    SettingsStore::Batch batch(m_settings);
    const QPoint place = windowplace::savedTopLeft(this);
    m_settings.writeInteger(sections::Disp, TopName, place.y());
    m_settings.writeInteger(sections::Disp, LeftName, place.x());
}

} // namespace vesk
