#pragma once

#include "store/MessageStore.h"

#include <QString>
#include <QStringList>
#include <QStringView>

#include <array>
#include <optional>

namespace vesk {

// The four lists of the box window, numbered by their tags: the out-box on
// top, then the common in-box and the two mailers' boxes.
enum class Grid { Send = 0, Receive = 1, Receive1 = 2, Receive2 = 3 };

inline constexpr std::array<Grid, 4> AllGrids { Grid::Send, Grid::Receive, Grid::Receive1, Grid::Receive2 };

// "stgSend", "stgReceive", "stgReceive1", "stgReceive2".
QString gridName(Grid grid);
std::optional<Grid> gridFromName(QStringView name);
std::optional<Grid> gridFromTag(int tag);

Box gridBox(Grid grid);
Grid gridOfBox(Box box);

// The title row: "ID", the other party, the own name, "類", "件名".
QStringList gridTitles(Grid grid);

// A mailer's own box: messages taken from it are copied, not moved.
inline bool isMailerGrid(Grid grid)
{
    return grid == Grid::Receive1 || grid == Grid::Receive2;
}

} // namespace vesk
