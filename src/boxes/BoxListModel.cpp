#include "boxes/BoxListModel.h"

#include <QSet>

#include <algorithm>
#include <numeric>
#include <vector>

namespace vesk {

BoxListModel::BoxListModel(const MessageStore &store, Grid grid, QObject *parent)
    : QAbstractTableModel(parent)
    , m_store(store)
    , m_grid(grid)
{ }

int BoxListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : std::max(1, int(m_names.size()));
}

int BoxListModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant BoxListModel::data(const QModelIndex &index, int role) const
{
    if (role != Qt::DisplayRole || !index.isValid())
        return {};
    return cell(index.row(), index.column());
}

QVariant BoxListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    return title(section);
}

QString BoxListModel::title(int column) const
{
    const QStringList titles = gridTitles(m_grid);
    if (column < 0 || column >= titles.size())
        return {};
    return column == m_sortColumn ? titles[column] + SortMark : titles[column];
}

void BoxListModel::refill()
{
    beginResetModel();
    m_names = m_store.listing(box());
    m_sortColumn = -1;
    m_readCursor = 0;
    forget(m_names);
    endResetModel();
    emit headerDataChanged(Qt::Horizontal, 0, ColumnCount - 1);
}

void BoxListModel::sync()
{
    const QStringList listed = m_store.listing(box());
    const QSet<QString> present(listed.cbegin(), listed.cend());
    for (int row = int(m_names.size()) - 1; row >= 0; --row) {
        if (!present.contains(m_names[row]))
            rowDel(row, row);
    }
    if (listed.size() != m_names.size()) {
        const QSet<QString> shown(m_names.cbegin(), m_names.cend());
        for (const QString &name : listed) {
            if (!shown.contains(name))
                rowAdd(name);
        }
    }
    forget(m_names);
}

void BoxListModel::forget(const QStringList &kept)
{
    if (m_read.size() <= kept.size())
        return;
    const QSet<QString> keep(kept.cbegin(), kept.cend());
    for (auto it = m_read.begin(); it != m_read.end();) {
        if (keep.contains(it.key()))
            ++it;
        else
            it = m_read.erase(it);
    }
}

bool BoxListModel::rowAdd(const QString &fileName)
{
    if (fileName.trimmed().isEmpty() || m_names.contains(fileName))
        return false;
    if (m_names.isEmpty()) {
        m_names.append(fileName);
        emit dataChanged(index(0, 0), index(0, ColumnCount - 1));
        return true;
    }
    const int row = int(m_names.size());
    beginInsertRows({}, row, row);
    m_names.append(fileName);
    endInsertRows();
    return true;
}

void BoxListModel::rowDel(int first, int last)
{
    first = std::max(first, 0);
    last = std::min(last, int(m_names.size()) - 1);
    if (first > last)
        return;
    if (first == 0 && last == int(m_names.size()) - 1) {
        // The blank row stays.
        if (last > 0) {
            beginRemoveRows({}, 1, last);
            m_names.remove(1, last);
            endRemoveRows();
        }
        m_names.clear();
        m_readCursor = 0;
        emit dataChanged(index(0, 0), index(0, ColumnCount - 1));
        return;
    }
    beginRemoveRows({}, first, last);
    m_names.remove(first, last - first + 1);
    endRemoveRows();
    m_readCursor = std::min(m_readCursor, qsizetype(first));
}

bool BoxListModel::removeFile(const QString &fileName)
{
    const int row = rowOf(fileName);
    if (row < 0)
        return false;
    rowDel(row, row);
    m_read.remove(fileName);
    return true;
}

void BoxListModel::sort(int column, Qt::SortOrder)
{
    if (column < 0 || column >= ColumnCount)
        return;
    m_sortColumn = column;
    emit headerDataChanged(Qt::Horizontal, 0, ColumnCount - 1);
    if (m_names.size() < 2)
        return;
    std::vector<QByteArray> keys;
    keys.reserve(std::size_t(m_names.size()));
    for (int row = 0; row < m_names.size(); ++row)
        keys.push_back(
            column == 0 ? sortKey(m_names[row].toLatin1()) : message(row).sortKeys[std::size_t(column)]);
    std::vector<qsizetype> order(std::size_t(m_names.size()));
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(),
        [&keys](qsizetype a, qsizetype b) { return keys[std::size_t(a)] < keys[std::size_t(b)]; });
    QStringList sorted;
    sorted.reserve(m_names.size());
    for (qsizetype i : order)
        sorted.append(m_names[i]);
    // Rows keep their numbers: a selection stays on the row, not the message.
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    m_names = std::move(sorted);
    m_readCursor = 0;
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

QString BoxListModel::fileName(int row) const
{
    return row >= 0 && row < m_names.size() ? m_names[row] : QString();
}

QString BoxListModel::cell(int row, int column) const
{
    if (row < 0 || row >= m_names.size() || column < 0 || column >= ColumnCount)
        return {};
    if (column == 0)
        return m_names[row];
    return message(row).row.cells()[column];
}

BoxListRow BoxListModel::row(int row) const
{
    if (row < 0 || row >= m_names.size())
        return {};
    return message(row).row;
}

int BoxListModel::rowOf(const QString &fileName) const
{
    return int(m_names.indexOf(fileName));
}

const ListedMessage &BoxListModel::message(int row) const
{
    const QString &name = m_names[row];
    auto it = m_read.find(name);
    if (it == m_read.end())
        it = m_read.insert(name, readListedMessage(m_store, box(), name, m_decoder));
    return *it;
}

bool BoxListModel::readSome(int count)
{
    while (m_readCursor < m_names.size() && count > 0) {
        if (!m_read.contains(m_names[m_readCursor])) {
            message(int(m_readCursor));
            --count;
        }
        ++m_readCursor;
    }
    while (m_readCursor < m_names.size() && m_read.contains(m_names[m_readCursor]))
        ++m_readCursor;
    return m_readCursor < m_names.size();
}

void BoxListModel::readAll()
{
    while (readSome(1024)) { }
}

int BoxListModel::unreadCount() const
{
    int unread = 0;
    for (const QString &name : m_names)
        unread += m_read.contains(name) ? 0 : 1;
    return unread;
}

} // namespace vesk
