#pragma once

#include <QByteArray>
#include <QList>

namespace vesk::test {

// Messages as a provider holds them (LF line ends): Japanese in ISO-2022-JP,
// a multipart message, and one whose lines begin with dots.
inline QList<QByteArray> peerMessages()
{
    return { "From: =?ISO-2022-JP?B?GyRCOzNFRBsoQg==?= <yamada@example.jp>\nTo: taro@example.jp\n"
             "Subject: =?ISO-2022-JP?B?GyRCJDMkcyRLJEEkTxsoQg==?=\nMIME-Version: 1.0\n"
             "Content-Type: text/plain; charset=ISO-2022-JP\nContent-Transfer-Encoding: 7bit\n\n"
             "\x1b$B$3$s$K$A$O\x1b(B\n\x1b$B%F%9%H$G$9!#\x1b(B \x1b(I6J6E\x1b(B\n",
        "From: hanako@example.jp\nTo: taro@example.jp\nSubject: parts\nMIME-Version: 1.0\n"
        "Content-Type: multipart/mixed; boundary=\"==b0und4ry==\"\n\n--==b0und4ry==\n"
        "Content-Type: text/plain; charset=ISO-2022-JP\n\n\x1b$BE:IU$,$\"$j$^$9\x1b(B\n--==b0und4ry==\n"
        "Content-Type: application/octet-stream; name=\"a.bin\"\nContent-Transfer-Encoding: base64\n\n"
        "AAECAwQFBgcICQoLDA0ODxAREhMUFRYXGBkaGxwdHh8=\n--==b0und4ry==--\n",
        "From: dots@example.jp\nSubject: dots\n\n.\n..\n.hidden\n  trailing  \n\nend.\n" };
}

// The transfer form: CR LF line ends, a leading dot doubled.
inline QByteArray transferForm(const QByteArray &text)
{
    QByteArray out;
    for (const QByteArray &line : text.chopped(1).split('\n'))
        out += (line.startsWith('.') ? "." + line : line) + "\r\n";
    return out;
}

} // namespace vesk::test
