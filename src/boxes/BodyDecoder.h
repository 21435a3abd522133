#pragma once

#include "store/japanese/CharsetConverter.h"
#include "store/japanese/SjisDecoder.h"

#include <QByteArrayView>
#include <QString>

namespace vesk {

// Turns the text of a stored message into what the quick view shows: header
// lines with their encoded-words decoded, and body text undone from its
// transfer encoding (base64, quoted-printable) and its charset. Text without
// a charset is taken as UTF-8 when it is that, else as the Japanese code
// found in it (ISO-2022-JP, EUC-JP or Shift_JIS). Everything passes through
// Shift_JIS, as all display text of the system does: a character it lacks
// shows as "〓".
class BodyDecoder final
{
public:
    QString headerLine(QByteArrayView line);
    QString rawLine(QByteArrayView line);
    QString text(QByteArrayView content, QByteArrayView transferEncoding, QByteArrayView charsetLabel);

private:
    QByteArray guessedToSjis(QByteArrayView text);

    CharsetConverter m_converter;
    SjisDecoder m_decoder;
};

} // namespace vesk
