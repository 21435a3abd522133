#pragma once

#include <QByteArray>
#include <QRect>
#include <QString>

namespace vesk {

// One sticky note.
struct Note
{
    QString fileName; // "Pelma" + time stamp + counter + ".ID"
    QString date; // its heading: the reminder's date, empty for other text
    QString text;
    QRect place; // on the screen; empty until it has been shown

    bool operator==(const Note &other) const = default;
};

// A note's file: UTF-8, a "[PelmaNote]" line, "Date=" and "Place=x,y,w,h"
// lines, an empty line, then the text as it is. A file without the first
// line (made by hand) is all text.
class NoteFile final
{
public:
    static constexpr int MinSide = 60;
    static constexpr int MaxSide = 4000;

    static QByteArray format(const Note &note);
    // Never fails: what cannot be read as a heading is text.
    static Note parse(const QByteArray &bytes);
};

} // namespace vesk
