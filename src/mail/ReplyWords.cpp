#include "mail/ReplyWords.h"

namespace vesk {

ReplyWords ReplyWords::split(const QByteArray &line)
{
    ReplyWords words;
    QByteArray *targets[] = { &words.word1, &words.word2, &words.word3 };
    qsizetype start = 0;
    for (QByteArray *target : targets) {
        if (start > line.size())
            break;
        const qsizetype space = line.indexOf(' ', start);
        const qsizetype end = space < 0 ? line.size() : space;
        *target = line.mid(start, end - start);
        if (space < 0)
            break;
        start = space + 1;
    }
    return words;
}

int ReplyWords::number(const QByteArray &word)
{
    bool ok = false;
    const int value = word.toInt(&ok);
    return ok ? value : 0;
}

} // namespace vesk
