#include "extras/monitor/gui/DebugForm.h"

#include "extras/monitor/gui/MonitorLinesModel.h"

#include "mail/ProtocolMonitor.h"
#include "platform/Messenger.h"
#include "platform/gui/WindowPlacement.h"
#include "settings/SettingsStore.h"
#include "settings/SettingsTable.h"

#include <QAction>
#include <QClipboard>
#include <QCloseEvent>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QListView>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QStatusBar>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>

namespace vesk {
namespace {

constexpr qint64 ViewUpdateMs = 100;

} // namespace
namespace { } // namespace

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

    // A list of the log's lines that lays out only the lines on screen: a
    // text document would lay out every line of the mail passing through.
    m_lines = new MonitorLinesModel(m_log, this);
    memMon = new QListView(this);
    memMon->setObjectName(QStringLiteral("memMon"));
    memMon->setModel(m_lines);
    memMon->setUniformItemSizes(true);
    memMon->setSelectionMode(QAbstractItemView::ExtendedSelection);
    memMon->setEditTriggers(QAbstractItemView::NoEditTriggers);
    memMon->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    memMon->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    const QFontMetrics metrics(memMon->font());
    m_lines->setMetrics(metrics.horizontalAdvance(u'M'), metrics.height());
    memMon->setToolTip(QStringLiteral("Veskが送った内容には、先頭に「<」が付きます。"));
    auto *copy = new QAction(memMon);
    copy->setShortcut(QKeySequence::Copy);
    copy->setShortcutContext(Qt::WidgetShortcut);
    memMon->addAction(copy);
    connect(copy, &QAction::triggered, this, [this] {
        QGuiApplication::clipboard()->setText(
            m_lines->lines(memMon->selectionModel()->selectedIndexes()).join(u'\n'));
    });

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
    m_lines->dropped(m_log.append(text).dropped);
    // At the end of this turn of the event loop, or, while lines keep
    // coming, ten times a second: a person reads no faster.
    if (!m_viewUpdate->isActive()) {
        const qint64 since = m_lastViewUpdate.isValid() ? m_lastViewUpdate.elapsed() : ViewUpdateMs;
        m_viewUpdate->start(int(std::max<qint64>(0, ViewUpdateMs - since)));
    }
}

void TDebugForm::updateView()
{
    m_viewUpdate->stop();
    m_lastViewUpdate.start();
    // Following the newest line unless the user has scrolled up to read.
    const QScrollBar *bar = memMon->verticalScrollBar();
    const bool atEnd = bar->value() >= bar->maximum();
    m_lines->sync();
    if (atEnd)
        memMon->scrollToBottom();
}

void TDebugForm::btnClearClick()
{
    m_log.clear();
    m_lines->reset();
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
    windowplace::restore(this,
        QPoint(SettingsTable::value(m_settings, &Settings::DebugLeft),
            SettingsTable::value(m_settings, &Settings::DebugTop)));
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
    SettingsTable::setValue(m_settings, &Settings::DebugTop, place.y());
    SettingsTable::setValue(m_settings, &Settings::DebugLeft, place.x());
}

} // namespace vesk
