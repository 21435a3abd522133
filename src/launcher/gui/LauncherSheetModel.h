#pragma once

#include "launcher/LauncherSheet.h"

#include <QAbstractTableModel>

namespace vesk {

// The launcher editor's grid: a narrow fixed column 0 and the seven fields,
// over the sheet that holds the rows and their rules.
class LauncherSheetModel final : public QAbstractTableModel
{
    Q_OBJECT

public:
    explicit LauncherSheetModel(LauncherSheet sheet, QObject *parent = nullptr);

    const LauncherSheet &sheet() const { return m_sheet; }
    // Grid column (1-7) of a field and back.
    static int fieldOf(int column) { return column - 1; }

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role) override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

    void setRows(int rows);
    void eraseRow(int row);
    void moveRow(int from, int to);
    // The seven fields of a row.
    QStringList fields(int row) const;

private:
    LauncherSheet m_sheet;
};

} // namespace vesk
