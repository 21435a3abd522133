#pragma once

#include <QAbstractListModel>

namespace vesk {

class MonitorLog;

// The monitor's lines as rows for a list view, which lays out only the rows
// on screen: a flood of mail costs the view nothing for the lines that pass
// unseen. The rows follow the log when told (sync), once per turn of the
// event loop; in between they still read the right lines.
class MonitorLinesModel final : public QAbstractListModel
{
public:
    MonitorLinesModel(const MonitorLog &log, QObject *parent = nullptr);

    // The log dropped that many lines from its start.
    void dropped(qsizetype count) { m_droppedSinceSync += count; }
    // Rows removed and added to match the log.
    void sync();
    void reset();
    // The fixed font's character width and line height: every row is one
    // line high and as wide as the widest line.
    void setMetrics(int charWidth, int lineHeight)
    {
        m_charWidth = charWidth;
        m_lineHeight = lineHeight;
    }
    // The lines of these rows, for copying.
    QStringList lines(const QModelIndexList &rows) const;

    int rowCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;

private:
    const MonitorLog &m_log;
    qsizetype m_rows = 0;
    qsizetype m_droppedSinceSync = 0;
    qsizetype m_widest = 0;
    int m_charWidth = 8;
    int m_lineHeight = 16;
};

} // namespace vesk
