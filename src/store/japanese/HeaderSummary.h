#pragma once

#include <QByteArray>

namespace vesk {

// What the box lists show of one message, all Shift_JIS and trimmed.
struct HeaderSummary
{
    QByteArray to;
    QByteArray from;
    QByteArray subject;
    QByteArray kind; // "☆", "＋", "∵", "？" or empty
    QByteArray mailer;
};

} // namespace vesk
