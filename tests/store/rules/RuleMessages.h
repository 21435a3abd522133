#pragma once

#include "JapaneseTestText.h"

#include "store/rules/RuleLists.h"

namespace vesk::test {

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
