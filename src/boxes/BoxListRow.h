#pragma once

#include <QString>
#include <QStringList>

namespace vesk {

// One row of a box list. A row is known by its file name; a list with no
// messages holds one row whose cells are all empty.
struct BoxListRow
{
    QString fileName; // with its extension
    QString otherParty; // whole From (receive boxes) or To (out-box)
    QString ownName; // " " + the display names of To (or From in the out-box)
    QString kindMark; // "☆", "＋", "∵", "？" or empty
    QString subject;

    QStringList cells() const { return { fileName, otherParty, ownName, kindMark, subject }; }
    bool isEmpty() const { return fileName.trimmed().isEmpty(); }
    friend bool operator==(const BoxListRow &, const BoxListRow &) = default;
};

} // namespace vesk
