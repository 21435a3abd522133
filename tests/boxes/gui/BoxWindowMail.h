#pragma once

#include "JapaneseTestText.h"

#include <QByteArray>
#include <QString>

namespace vesk::test {

// Japanese mail as mailers write it, for the pictures of the box window.
inline QByteArray japaneseMail(const QString &fromName, const QString &from, const QString &subject,
    const QByteArray &contentType, const QByteArray &body,
    const QString &toName = QStringLiteral("山田 太郎"),
    const QString &to = QStringLiteral("taro@example.jp"))
{
    return "Return-Path: <" + from.toLatin1() + ">\r\nFrom: " + jisWord(fromName) + " <" + from.toLatin1()
        + ">\r\nTo: " + jisWord(toName) + " <" + to.toLatin1() + ">\r\nSubject: " + jisWord(subject)
        + "\r\nDate: Sun, 6 Dec 2026 08:15:00 +0900\r\nMIME-Version: 1.0\r\n" + contentType + "\r\n" + body;
}

inline QByteArray plainJapaneseMail(
    const QString &fromName, const QString &from, const QString &subject, const QString &text)
{
    return japaneseMail(fromName, from, subject,
        "Content-Type: text/plain; charset=ISO-2022-JP\r\nContent-Transfer-Encoding: 7bit\r\n",
        jis(text).replace("\n", "\r\n") + "\r\n");
}

// A message with an attachment whose text part is UTF-8 in base64.
inline QByteArray attachedJapaneseMail(
    const QString &fromName, const QString &from, const QString &subject, const QString &text)
{
    return japaneseMail(fromName, from, subject, "Content-Type: multipart/mixed; boundary=\"b1\"\r\n",
        "This is a multi-part message in MIME format.\r\n\r\n--b1\r\n"
        "Content-Type: text/plain; charset=UTF-8\r\nContent-Transfer-Encoding: base64\r\n\r\n"
            + text.toUtf8().toBase64()
            + "\r\n--b1\r\nContent-Type: application/pdf; name=\"a.pdf\"\r\n"
              "Content-Transfer-Encoding: base64\r\n\r\nJVBERi0xLjQK\r\n--b1--\r\n");
}

} // namespace vesk::test
