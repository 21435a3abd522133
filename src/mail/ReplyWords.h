#pragma once

#include <QByteArray>

namespace vesk {

// A reply line split at single spaces; missing words are empty. Only the
// first three words matter to the provider dialogue.
struct ReplyWords
{
    QByteArray word1;
    QByteArray word2;
    QByteArray word3;

    static ReplyWords split(const QByteArray &line);
    // Word as a number, 0 when it is not a number that fits an int.
    static int number(const QByteArray &word);
};

} // namespace vesk
