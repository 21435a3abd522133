#pragma once

#include <QString>
#include <QStringList>
#include <QTextStream>

namespace vesk {

// `vesk --list [BOX]`: prints the rows of a box list of the data folder, one
// message a line, the five cells separated by TAB, in listing order. Without
// BOX all four boxes in the order of the box window (OutBox, InBox, InBox1,
// InBox2), each after a line "[Name]". A box or data folder that does not
// exist prints no rows. Returns the exit status: 0, or 2 for a bad argument.
int runListCommand(const QString &dataDir, const QStringList &boxNames, QTextStream &out, QTextStream &err);

} // namespace vesk
