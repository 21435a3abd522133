#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <array>

namespace vesk {

class SettingsStore;

// The launcher editor's table (TLuncherForm's grid) and its save rules,
// without the window: rows of the seven fields, the row count of the
// spinner, erasing and moving rows, and saving into section Luncher.
class LauncherSheet final
{
public:
    static constexpr int Fields = 7;
    static constexpr int MaxRows = 100;
    // Empty rows offered below the entries.
    static constexpr int SpareRows = 5;
    using Row = std::array<QString, Fields>;

    // Field columns: display name, program, switches, folder, macro, short
    // cut, hot key.
    enum Column { Name, Program, Switches, Folder, Macro, ShortCutColumn, HotKeyColumn };

    static LauncherSheet fromLines(const QStringList &lines);

    int rowCount() const { return int(m_rows.size()); }
    // The spinner: 0 to MaxRows rows; rows cut off are lost.
    void setRowCount(int rows);
    const Row &row(int index) const { return m_rows.at(index); }
    void setCell(int row, int column, const QString &text);
    void eraseRow(int row);
    void moveRow(int from, int to);

    struct SaveResult
    {
        int written = 0;
        // The rows refused, each as the message to show.
        QStringList refusals;
    };
    // Rows with a display name are written, in order, as "00", "01", ...;
    // a row whose macro or whole text is too long, or that has neither a
    // program nor a macro, is refused and the others are still written.
    SaveResult save(SettingsStore &store) const;
    // The stored text of a row (blanks for empty cells, the display name as
    // the menu shows it); empty for a row without a name.
    static QString storedText(const Row &row);

private:
    QList<Row> m_rows;
};

} // namespace vesk
