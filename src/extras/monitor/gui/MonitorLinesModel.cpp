#include "extras/monitor/gui/MonitorLinesModel.h"

#include "extras/monitor/MonitorLog.h"

#include <QSize>

#include <algorithm>

namespace vesk {

MonitorLinesModel::MonitorLinesModel(const MonitorLog &log, QObject *parent)
    : QAbstractListModel(parent)
    , m_log(log)
{ }

void MonitorLinesModel::sync()
{
    const qsizetype dropped = std::min(m_droppedSinceSync, m_rows);
    m_droppedSinceSync = 0;
    if (dropped > 0) {
        beginRemoveRows({}, 0, int(dropped - 1));
        m_rows -= dropped;
        endRemoveRows();
    }
    const qsizetype total = m_log.lines().size();
    if (total > m_rows) {
        for (qsizetype i = m_rows; i < total; ++i)
            m_widest = std::max(m_widest, m_log.lines().at(i).size());
        beginInsertRows({}, int(m_rows), int(total - 1));
        m_rows = total;
        endInsertRows();
    } else if (total < m_rows) {
        // Fewer lines than rows left: the log was emptied meanwhile.
        reset();
    }
}

void MonitorLinesModel::reset()
{
    beginResetModel();
    m_rows = m_log.lines().size();
    m_droppedSinceSync = 0;
    m_widest = 0;
    for (const QString &line : m_log.lines())
        m_widest = std::max(m_widest, line.size());
    endResetModel();
}

QStringList MonitorLinesModel::lines(const QModelIndexList &rows) const
{
    QModelIndexList sorted = rows;
    std::sort(sorted.begin(), sorted.end(),
        [](const QModelIndex &a, const QModelIndex &b) { return a.row() < b.row(); });
    QStringList text;
    for (const QModelIndex &row : sorted)
        text << data(row, Qt::DisplayRole).toString();
    return text;
}

int MonitorLinesModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_rows);
}

QVariant MonitorLinesModel::data(const QModelIndex &index, int role) const
{
    if (role == Qt::SizeHintRole)
        return QSize(int(std::min<qsizetype>(m_widest, 4000)) * m_charWidth + 8, m_lineHeight);
    if (role != Qt::DisplayRole || !index.isValid())
        return {};
    // Rows not yet removed for lines the log dropped read ahead by as many.
    const qsizetype line = index.row() - m_droppedSinceSync;
    if (line < 0 || line >= m_log.lines().size())
        return {};
    return m_log.lines().at(line);
}

} // namespace vesk
