#include "launcher/gui/LauncherSheetModel.h"

namespace vesk {

LauncherSheetModel::LauncherSheetModel(LauncherSheet sheet, QObject *parent)
    : QAbstractTableModel(parent)
    , m_sheet(std::move(sheet))
{ }

int LauncherSheetModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_sheet.rowCount();
}

int LauncherSheetModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : LauncherSheet::Fields + 1;
}

QVariant LauncherSheetModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.column() == 0 || (role != Qt::DisplayRole && role != Qt::EditRole))
        return {};
    return m_sheet.row(index.row())[fieldOf(index.column())];
}

bool LauncherSheetModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (!index.isValid() || index.column() == 0 || role != Qt::EditRole)
        return false;
    const QString text = value.toString();
    if (m_sheet.row(index.row())[fieldOf(index.column())] == text)
        return true;
    m_sheet.setCell(index.row(), fieldOf(index.column()), text);
    emit dataChanged(index, index);
    return true;
}

QVariant LauncherSheetModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Vertical)
        return QString();
    static const QStringList heads { QString(), QStringLiteral("表示名"), QStringLiteral("起動ソフト"),
        QStringLiteral("ＳＷ"), QStringLiteral("ﾌｫﾙﾀﾞ"), QStringLiteral("マクロ"), QStringLiteral("ShortCut"),
        QStringLiteral("HotKey") };
    return heads.value(section);
}

Qt::ItemFlags LauncherSheetModel::flags(const QModelIndex &index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    if (index.column() == 0)
        return Qt::ItemIsEnabled;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable;
}

void LauncherSheetModel::setRows(int rows)
{
    beginResetModel();
    m_sheet.setRowCount(rows);
    endResetModel();
}

void LauncherSheetModel::eraseRow(int row)
{
    m_sheet.eraseRow(row);
    emit dataChanged(index(row, 1), index(row, LauncherSheet::Fields));
}

void LauncherSheetModel::moveRow(int from, int to)
{
    if (from == to || from < 0 || to < 0 || from >= rowCount() || to >= rowCount())
        return;
    beginMoveRows({}, from, from, {}, to > from ? to + 1 : to);
    m_sheet.moveRow(from, to);
    endMoveRows();
}

QStringList LauncherSheetModel::fields(int row) const
{
    QStringList list;
    if (row < 0 || row >= rowCount())
        return list;
    for (const QString &cell : m_sheet.row(row))
        list << cell;
    return list;
}

} // namespace vesk
