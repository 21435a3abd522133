#include "boxes/BoxListCommand.h"

#include "boxes/HeaderRead.h"
#include "store/MessageStore.h"

#include <QDir>

#include <optional>

namespace vesk {
namespace {

struct NamedBox
{
    const char *name;
    Box box;
};

// The order of the box window's lists.
constexpr NamedBox kBoxes[] = {
    { "OutBox", Box::OutBox },
    { "InBox", Box::InBox },
    { "InBox1", Box::InBox1 },
    { "InBox2", Box::InBox2 },
};

std::optional<NamedBox> findBox(const QString &name)
{
    for (const NamedBox &box : kBoxes) {
        if (name.compare(QLatin1String(box.name), Qt::CaseInsensitive) == 0)
            return box;
    }
    return std::nullopt;
}

// A cell must stay on its line and in its column: folded subjects can hold
// TABs, and a header can hold any control character.
QString cleanCell(QString cell)
{
    for (QChar &c : cell) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7F)
            c = QLatin1Char(' ');
    }
    return cell;
}

void printBox(const MessageStore &store, Box box, QTextStream &out)
{
    if (!QDir(store.folderPath(box)).exists())
        return;
    for (const BoxListRow &row : HeaderRead(store, box)) {
        if (row.isEmpty())
            continue; // the placeholder row of an empty list
        QStringList cells = row.cells();
        for (QString &cell : cells)
            cell = cleanCell(cell);
        out << cells.join(QLatin1Char('\t')) << '\n';
    }
}

} // namespace

int runListCommand(const QString &dataDir, const QStringList &boxNames, QTextStream &out, QTextStream &err)
{
    if (boxNames.size() > 1) {
        err << QStringLiteral("箱は一つだけ指定してください（InBox, InBox1, InBox2, OutBox のいずれか）")
            << '\n';
        return 2;
    }
    const MessageStore store(dataDir);
    if (boxNames.size() == 1) {
        const std::optional<NamedBox> box = findBox(boxNames.first());
        if (!box) {
            err << QStringLiteral(
                "不明な箱です: %1（InBox, InBox1, InBox2, OutBox のいずれかを指定してください）")
                       .arg(boxNames.first())
                << '\n';
            return 2;
        }
        printBox(store, box->box, out);
        return 0;
    }
    for (const NamedBox &box : kBoxes) {
        out << '[' << box.name << "]\n";
        printBox(store, box.box, out);
    }
    return 0;
}

} // namespace vesk
