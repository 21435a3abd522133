#include "launcher/LauncherSheet.h"

#include "launcher/LuncherText.h"
#include "settings/SettingsSections.h"
#include "settings/SettingsStore.h"

namespace vesk {

LauncherSheet LauncherSheet::fromLines(const QStringList &lines)
{
    LauncherSheet sheet;
    for (const QString &line : lines.mid(0, MaxRows)) {
        const QStringList fields = luncher::fieldsOfLine(line);
        Row row;
        for (int c = 0; c < Fields; ++c)
            row[c] = fields.at(c);
        sheet.m_rows << row;
    }
    sheet.setRowCount(sheet.rowCount() + SpareRows);
    return sheet;
}

void LauncherSheet::setRowCount(int rows)
{
    rows = qBound(0, rows, MaxRows);
    m_rows.resize(rows);
}

void LauncherSheet::setCell(int row, int column, const QString &text)
{
    if (row >= 0 && row < m_rows.size() && column >= 0 && column < Fields)
        m_rows[row][column] = text;
}

void LauncherSheet::eraseRow(int row)
{
    if (row >= 0 && row < m_rows.size())
        m_rows[row] = Row {};
}

void LauncherSheet::moveRow(int from, int to)
{
    if (from >= 0 && from < m_rows.size() && to >= 0 && to < m_rows.size())
        m_rows.move(from, to);
}

QString LauncherSheet::storedText(const Row &row)
{
    if (row[Name].trimmed().isEmpty())
        return {};
    QStringList fields;
    for (const QString &cell : row)
        fields << (cell.isEmpty() ? QStringLiteral(" ") : cell);
    fields[Name] = luncher::displayName(fields[Name]);
    return luncher::commaText(fields);
}

LauncherSheet::SaveResult LauncherSheet::save(SettingsStore &store) const
{
    SaveResult result;
    SettingsStore::Batch batch(store);
    store.eraseSection(sections::Luncher);
    for (int r = 0; r < m_rows.size(); ++r) {
        const QString text = storedText(m_rows.at(r));
        if (text.isEmpty())
            continue;
        if (m_rows.at(r)[Macro].size() >= luncher::MacroRefused || text.size() > luncher::MaxData) {
            result.refusals
                << QStringLiteral("[%1]番目の合計文字数が長すぎます。短くしてください").arg(r + 1);
            continue;
        }
        // A name alone would sit in the menu and start nothing.
        if (m_rows.at(r)[Program].trimmed().isEmpty() && m_rows.at(r)[Macro].trimmed().isEmpty()) {
            result.refusals << QStringLiteral(
                "[%1]番目には起動するソフトもマクロもありません。どちらかを指定してください")
                                   .arg(r + 1);
            continue;
        }
        store.writeString(
            sections::Luncher, QStringLiteral("%1").arg(result.written, 2, 10, QLatin1Char('0')), text);
        ++result.written;
    }
    return result;
}

} // namespace vesk
