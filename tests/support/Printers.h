#pragma once

#include "mail/StatusMarker.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <ostream>

// Readable failure messages for Qt's texts (found by argument lookup).
inline void PrintTo(const QByteArray &bytes, std::ostream *out)
{
    *out << '"' << bytes.toPercentEncoding(" !#$&'()*+,/:;=?@[]<>{}|^`\"\\~").constData() << '"';
}
inline void PrintTo(const QString &text, std::ostream *out)
{
    *out << '"' << text.toStdString() << '"';
}
inline void PrintTo(const QStringList &list, std::ostream *out)
{
    *out << '{';
    for (const QString &text : list)
        *out << " \"" << text.toStdString() << '"';
    *out << " }";
}

namespace vesk {
inline void PrintTo(const StatusMarker &marker, std::ostream *out)
{
    ::PrintTo(marker.text(), out);
}
} // namespace vesk
