#pragma once

#include "boxes/BoxGrid.h"
#include "boxes/ListedMessage.h"
#include "store/japanese/SjisDecoder.h"

#include <QAbstractTableModel>
#include <QHash>
#include <QStringList>

namespace vesk {

// One list of the box window: a title row and one row per message file of
// its box. A list without messages has exactly one row, with empty cells.
//
// Only the file names are read when the list is filled; a row's header is
// read when the row is first shown, sorted or asked for, or a slice at a time
// by readSome(). What was read stays known by file name (a message file never
// changes under its name), so filling the list again reads only new files.
class BoxListModel final : public QAbstractTableModel
{
    Q_OBJECT

public:
    static constexpr int ColumnCount = 5;
    static inline const QString SortMark = QStringLiteral(" ∇");

    BoxListModel(const MessageStore &store, Grid grid, QObject *parent = nullptr);

    Grid grid() const { return m_grid; }
    Box box() const { return gridBox(m_grid); }

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    // HeaderRead: one row per message file, in listing order. The sort mark
    // goes: the list is in arrival order again.
    void refill();
    // The rows brought in step with the folder: rows whose file went are
    // removed, files that came are appended. The order of the others stays.
    void sync();
    // RowAdd: the message's row after the last one, or in the blank row of an
    // empty list. A file that is already listed is not listed twice.
    bool rowAdd(const QString &fileName);
    // RowDel: rows first..last (from 0). Removing every row leaves the blank row.
    void rowDel(int first, int last);
    // The row of a message that left the box.
    bool removeFile(const QString &fileName);

    // Sorts ascending by the column's keys; rows with equal keys keep their
    // order. The column's title gets the mark " ∇", the others lose it.
    void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override;
    // The marked column, or -1.
    int sortColumn() const { return m_sortColumn; }
    QString title(int column) const;

    int messageCount() const { return int(m_names.size()); }
    bool isEmptyList() const { return m_names.isEmpty(); }
    // Empty for the blank row and for rows that do not exist.
    QString fileName(int row) const;
    QString cell(int row, int column) const;
    BoxListRow row(int row) const;
    int rowOf(const QString &fileName) const;
    const QStringList &fileNames() const { return m_names; }

    // Reads up to `count` headers not read yet; returns whether any remain.
    bool readSome(int count);
    void readAll();
    int unreadCount() const;

private:
    const ListedMessage &message(int row) const;
    void forget(const QStringList &kept);

    const MessageStore &m_store;
    const Grid m_grid;
    QStringList m_names;
    int m_sortColumn = -1;
    mutable QHash<QString, ListedMessage> m_read;
    mutable SjisDecoder m_decoder;
    qsizetype m_readCursor = 0;
};

} // namespace vesk
