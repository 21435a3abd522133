#pragma once

#include <QByteArrayView>
#include <QStringList>

namespace vesk {

class BodyDecoder;

// What the quick view shows of a message: its header lines (without the
// envelope lines "VeskFrom:" and "VeskTo:") and the first `gyou` lines of
// its body, decoded for display. Of a multipart message the first text/plain
// part is shown after a fixed preamble, with its own header lines; lines of
// the message before that part count towards `gyou`. When more text follows,
// two lines "　　　：" say so.
struct ChoimiText
{
    QStringList header;
    QStringList body;

    static ChoimiText fromMessage(QByteArrayView message, int gyou, BodyDecoder &decoder);
};

inline const QString ChoimiPreamble = QStringLiteral("This is a multi-part message in MIME format.");
inline const QString ChoimiRule = QString(44, QLatin1Char('-'));
inline const QString ChoimiMore = QStringLiteral("　　　：");

} // namespace vesk
