#include "boxes/BoxGrid.h"

namespace vesk {

QString gridName(Grid grid)
{
    switch (grid) {
    case Grid::Send:
        return QStringLiteral("stgSend");
    case Grid::Receive:
        return QStringLiteral("stgReceive");
    case Grid::Receive1:
        return QStringLiteral("stgReceive1");
    case Grid::Receive2:
        return QStringLiteral("stgReceive2");
    }
    return {};
}

std::optional<Grid> gridFromName(QStringView name)
{
    for (Grid grid : AllGrids) {
        if (name == gridName(grid))
            return grid;
    }
    return std::nullopt;
}

std::optional<Grid> gridFromTag(int tag)
{
    if (tag < 0 || tag >= int(AllGrids.size()))
        return std::nullopt;
    return AllGrids[std::size_t(tag)];
}

Box gridBox(Grid grid)
{
    switch (grid) {
    case Grid::Send:
        return Box::OutBox;
    case Grid::Receive:
        return Box::InBox;
    case Grid::Receive1:
        return Box::InBox1;
    case Grid::Receive2:
        return Box::InBox2;
    }
    return Box::InBox;
}

Grid gridOfBox(Box box)
{
    switch (box) {
    case Box::OutBox:
        return Grid::Send;
    case Box::InBox:
        return Grid::Receive;
    case Box::InBox1:
        return Grid::Receive1;
    case Box::InBox2:
        return Grid::Receive2;
    }
    return Grid::Receive;
}

QStringList gridTitles(Grid grid)
{
    switch (grid) {
    case Grid::Send:
        return { QStringLiteral("ID"), QStringLiteral("［送］相手"), QStringLiteral("< 自分"),
            QStringLiteral("類"), QStringLiteral("件名") };
    case Grid::Receive:
        return { QStringLiteral("ID"), QStringLiteral("［受］相手"), QStringLiteral("> 自分"),
            QStringLiteral("類"), QStringLiteral("件名") };
    case Grid::Receive1:
        return { QStringLiteral("ID"), QStringLiteral("［Ⅰ］相手"), QStringLiteral("> 自分"),
            QStringLiteral("類"), QStringLiteral("件名") };
    case Grid::Receive2:
        return { QStringLiteral("ID"), QStringLiteral("［Ⅱ］相手"), QStringLiteral("> 自分"),
            QStringLiteral("類"), QStringLiteral("件名") };
    }
    return {};
}

} // namespace vesk
