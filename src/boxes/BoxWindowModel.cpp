#include "boxes/BoxWindowModel.h"

#include "boxes/BoxHost.h"
#include "platform/Timer.h"
#include "settings/Settings.h"

namespace vesk {
BoxWindowModel::BoxWindowModel(
    const MessageStore &store, BoxHost &host, TimerFactory &timers, QObject *parent)
    : QObject(parent)
    , m_store(store)
    , m_host(host)
    , m_reader(timers.create())
{
    for (Grid grid : AllGrids) {
        auto &list = m_lists[std::size_t(grid)];
        list = std::make_unique<BoxListModel>(store, grid);
        const auto clamp = [this, grid] { clampRemembered(grid); };
        connect(list.get(), &QAbstractItemModel::rowsRemoved, this, clamp);
        connect(list.get(), &QAbstractItemModel::modelReset, this, clamp);
        connect(list.get(), &QAbstractItemModel::dataChanged, this, clamp);
    }
    m_reader->setInterval(0);
    m_reader->setCallback([this] { readInBackground(); });
    // Files put in or taken out by anything else than this program.
    m_folderSettle = timers.create();
    m_folderSettle->setInterval(FolderSettleMs);
    m_folderSettle->setCallback([this] {
        m_folderSettle->stop();
        if (m_shown)
            syncAll();
    });
    connect(&m_folders, &QFileSystemWatcher::directoryChanged, this, [this] { m_folderSettle->start(); });
}

BoxWindowModel::~BoxWindowModel() = default;

void BoxWindowModel::shown()
{
    m_shown = true;
    m_twoMailers = m_host.settings().DevideON;
    m_notedSendHeld = m_host.sendHeld();
    setCaption(QStringLiteral("送受信箱 <Last ") + m_host.lastTime() + QLatin1Char('>'));
    refillAll();
    m_active = Grid::Send;
    m_remembered = 0;
    m_current.fill(0);
    watchFolders(true);
    emit hintsChanged();
    emit sendModeChanged();
    emit rememberedRowChanged();
}

void BoxWindowModel::hidden()
{
    if (!m_shown)
        return;
    m_shown = false;
    m_reader->stop();
    watchFolders(false);
    if (m_host.sendHeld() != m_notedSendHeld)
        setSendHeld(m_notedSendHeld);
    if (m_host.mailIndicationOn())
        m_host.toggleMailIndication();
}

void BoxWindowModel::refillAll()
{
    for (Grid grid : AllGrids)
        list(grid).refill();
    startReading();
}

void BoxWindowModel::syncAll()
{
    for (Grid grid : AllGrids)
        list(grid).sync();
    startReading();
}

void BoxWindowModel::sortAll(int column)
{
    for (Grid grid : AllGrids) {
        if (isVisible(grid))
            list(grid).sort(column);
    }
}

void BoxWindowModel::titleClicked(Grid grid, int column)
{
    if (grid == Grid::Send)
        sortAll(column);
    else
        list(grid).sort(column);
}

void BoxWindowModel::setCurrent(Grid grid, int row)
{
    m_current[std::size_t(grid)] = row;
    m_active = grid;
    m_remembered = row;
    emit rememberedRowChanged();
}

void BoxWindowModel::setRememberedRow(int row)
{
    m_remembered = row;
    if (m_active)
        m_current[std::size_t(*m_active)] = row;
    emit rememberedRowChanged();
}

void BoxWindowModel::activated()
{
    if (m_active && !isVisible(*m_active))
        m_active = Grid::Send;
    if (!m_active)
        return;
    if (m_remembered >= list(*m_active).rowCount())
        m_remembered = 0;
    emit rememberedRowChanged();
}

QString BoxWindowModel::statusText() const
{
    return m_active ? list(*m_active).fileName(m_remembered) : QString();
}

void BoxWindowModel::clampRemembered(Grid grid)
{
    if (m_active != grid)
        return;
    const BoxListModel &shown = list(grid);
    int row = m_remembered;
    if (shown.isEmptyList())
        row = 0;
    else if (row >= shown.messageCount())
        row = shown.messageCount() - 1;
    if (m_current[std::size_t(grid)] >= shown.rowCount())
        m_current[std::size_t(grid)] = shown.rowCount() - 1;
    if (row != m_remembered) {
        m_remembered = row;
        emit rememberedRowChanged();
    }
}

void BoxWindowModel::messageAdded(Box box, const QString &fileName)
{
    if (list(gridOfBox(box)).rowAdd(fileName))
        startReading();
}

void BoxWindowModel::messageRemoved(Box box, const QString &fileName)
{
    list(gridOfBox(box)).removeFile(fileName);
}

bool BoxWindowModel::allEmpty() const
{
    for (Grid grid : AllGrids) {
        if (isVisible(grid) && !list(grid).isEmptyList())
            return false;
    }
    return true;
}

bool BoxWindowModel::drawsSelected(Grid grid, int row, bool selectedInView) const
{
    if (list(grid).isEmptyList())
        return false; // the blank row of an empty list is no message to point at
    if (const std::optional<Grid> focused = m_viewReport.focusedGrid())
        return *focused == grid && selectedInView;
    return m_active == grid && row == m_remembered;
}

void BoxWindowModel::setCaption(const QString &caption)
{
    m_caption = caption;
    emit captionChanged(caption);
}

void BoxWindowModel::setQuickViewOpen(bool open)
{
    if (m_quickViewOpen == open)
        return;
    m_quickViewOpen = open;
    emit hintsChanged();
}

bool BoxWindowModel::sendHeld() const
{
    return m_host.sendHeld();
}

void BoxWindowModel::setSendHeld(bool held)
{
    m_host.setSendHeld(held);
    emit sendModeChanged();
}

void BoxWindowModel::watchFolders(bool watch)
{
    m_folderSettle->stop();
    if (!m_folders.directories().isEmpty())
        m_folders.removePaths(m_folders.directories());
    if (!watch)
        return;
    QStringList folders;
    for (Grid grid : AllGrids)
        folders << m_store.folderPath(gridBox(grid));
    m_folders.addPaths(folders);
}

void BoxWindowModel::startReading()
{
    if (m_shown && !m_reader->isActive())
        m_reader->start();
}

void BoxWindowModel::readInBackground()
{
    for (Grid grid : AllGrids) {
        if (isVisible(grid) && list(grid).readSome(ReadSlice))
            return;
    }
    m_reader->stop();
}

} // namespace vesk
