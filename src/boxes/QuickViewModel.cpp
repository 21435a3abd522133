#include "boxes/QuickViewModel.h"

#include "boxes/BoxCommands.h"
#include "boxes/BoxHost.h"
#include "boxes/BoxWindowModel.h"
#include "boxes/ChoimiText.h"
#include "boxes/MessageTrash.h"
#include "platform/Messenger.h"
#include "platform/Timer.h"
#include "settings/Settings.h"

#include <QFile>
#include <QFileInfo>

namespace vesk {

QuickViewModel::QuickViewModel(BoxWindowModel &window, BoxCommands &commands, Messenger &messenger,
    MessageTrash &trash, TimerFactory &timers, QObject *parent)
    : QObject(parent)
    , m_window(window)
    , m_commands(commands)
    , m_messenger(messenger)
    , m_trash(trash)
    , m_timMsec(timers.create())
{
    m_timMsec->setInterval(BurstMs);
    m_timMsec->setCallback([this] { burstEnded(); });
}

QuickViewModel::~QuickViewModel() = default;

bool QuickViewModel::isOpen() const
{
    return m_window.quickViewOpen();
}

void QuickViewModel::setOpen(bool open)
{
    m_window.setQuickViewOpen(open);
    if (!open)
        m_timMsec->stop();
}

void QuickViewModel::clearPanes()
{
    m_header.clear();
    m_body.clear();
}

void QuickViewModel::clear()
{
    m_caption = Title;
    m_otherParty.clear();
    m_ownName.clear();
    m_fileName.clear();
    m_grid.reset();
    m_row = -1;
    clearPanes();
    emit changed();
}

bool QuickViewModel::refusedByPassword(Grid grid) const
{
    const Settings &settings = m_window.host().settings();
    if (m_window.twoMailers()) {
        return (grid == Grid::Receive1 && !settings.MailPassword.isEmpty())
            || (grid == Grid::Receive2 && !settings.MailPassword2.isEmpty());
    }
    return grid == Grid::Receive && !settings.MailPassword.isEmpty();
}

void QuickViewModel::choimi()
{
    const std::optional<Grid> grid = m_window.activeGrid();
    const int row = m_window.rememberedRow();
    m_grid = grid;
    m_row = row;
    if (!grid || row < 0) {
        clearPanes();
        emit changed();
        return;
    }
    const BoxListRow shown = m_window.list(*grid).row(row);
    m_caption = Title + QStringLiteral(" ： ") + shown.subject;
    m_otherParty = shown.otherParty.trimmed();
    m_ownName = shown.ownName.trimmed();
    m_fileName = shown.fileName;
    if (shown.fileName.trimmed().isEmpty()) {
        m_caption = Title;
        clearPanes();
        emit changed();
        return;
    }
    if (refusedByPassword(*grid)) {
        m_messenger.beep();
        clearPanes();
        emit changed();
        m_messenger.message(
            QStringLiteral("メールを開けるときのパスワードが設定\r\nしてあるため「ちょい見」は出来ません。"));
        return;
    }
    QFile file(m_window.store().filePath(gridBox(*grid), shown.fileName));
    if (!file.open(QIODevice::ReadOnly)) {
        emit changed();
        return;
    }
    const ChoimiText text
        = ChoimiText::fromMessage(file.read(ReadLimit), m_window.host().settings().Gyou, m_decoder);
    m_header = text.header;
    m_body = text.body;
    emit changed();
}

void QuickViewModel::stepDown()
{
    step(1);
}

void QuickViewModel::stepUp()
{
    step(-1);
}

void QuickViewModel::step(int delta)
{
    const std::optional<Grid> grid = m_window.activeGrid();
    if (!grid)
        return;
    const int row = m_window.rememberedRow() + delta;
    if (row < 0 || row >= m_window.list(*grid).rowCount()) {
        m_messenger.beep();
        return;
    }
    m_window.setRememberedRow(row);
    if (m_steps == 0)
        choimi();
    ++m_steps;
    if (!m_timMsec->isActive())
        m_timMsec->start();
}

void QuickViewModel::burstEnded()
{
    m_timMsec->stop();
    if (m_steps > 1)
        choimi();
    m_steps = 0;
}

void QuickViewModel::erase()
{
    if (m_caption == Title) {
        m_messenger.beep();
        m_messenger.message(
            QStringLiteral("「ちょい見」から削除するときは、メールを表示してから削除して下さい。"));
        return;
    }
    if (!m_grid)
        return;
    BoxListModel &list = m_window.list(*m_grid);
    if (list.fileName(m_row).trimmed().toUpper() != m_fileName.trimmed().toUpper()) {
        m_messenger.beep();
        m_messenger.message(QStringLiteral("削除対象メールが存在しません"));
        return;
    }
    const QString path = m_window.store().filePath(list.box(), m_fileName);
    QString error;
    if (!m_trash.moveToTrash(path, &error) && QFileInfo::exists(path)) {
        m_messenger.beep();
        m_messenger.message(QStringLiteral("ゴミ箱に移せなかったメールがあります。\r\n") + m_fileName
            + QStringLiteral(" : ") + error);
        return;
    }
    list.removeFile(m_fileName);
    clear();
    if (isOpen())
        choimi();
    if (m_window.allEmpty())
        m_window.host().popUpCheck();
}

void QuickViewModel::launchMailer()
{
    m_commands.launchMailer(m_grid == Grid::Receive2 ? 2 : 1);
}

} // namespace vesk
