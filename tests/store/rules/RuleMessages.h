#pragma once

#include "store/japanese/Iconv.h"
#include "store/rules/RuleLists.h"

#include <gtest/gtest.h>

namespace vesk::test {

// A header value as a Japanese mailer writes it: ISO-2022-JP in a "B" word.
inline QByteArray encodedWord(const QString &text)
{
    QByteArray jis;
    EXPECT_EQ(Iconv("ISO-2022-JP", "UTF-8").convert(text.toUtf8(), jis, "?"), 0);
    return "=?ISO-2022-JP?B?" + jis.toBase64() + "?=";
}

// A received message with the headers the rules look at.
inline QByteArray message(const QByteArray &to, const QByteArray &from, const QByteArray &mailer = {})
{
    return "Return-Path: <sender@example.org>\r\nFrom: " + from + "\r\nTo: " + to + "\r\nSubject: test\r\n"
        + (mailer.isEmpty() ? QByteArray() : "X-Mailer: " + mailer + "\r\n") + "\r\nbody line\r\n";
}

inline RuleLists rules(QStringList one, QStringList two = {}, QStringList three = {}, QStringList four = {})
{
    return RuleLists({ one, two, three, four });
}

} // namespace vesk::test
