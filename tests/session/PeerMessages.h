#pragma once

#include <QByteArray>
#include <QList>

namespace vesk::test {

// Messages as a provider holds them (LF line ends): Japanese in ISO-2022-JP,
// a multipart message, and one whose lines begin with dots.
inline QList<QByteArray> peerMessages()
{
    const QByteArray japanese = "From: =?ISO-2022-JP?B?GyRCOzNFRBsoQg==?= <yamada@example.jp>\n"
                                "To: taro@example.jp\n"
                                "Subject: =?ISO-2022-JP?B?GyRCJDMkcyRLJEEkTxsoQg==?=\n"
                                "MIME-Version: 1.0\n"
                                "Content-Type: text/plain; charset=ISO-2022-JP\n"
                                "Content-Transfer-Encoding: 7bit\n"
                                "\n"
                                "\x1b$B$3$s$K$A$O\x1b(B\n"
                                "\x1b$B%F%9%H$G$9!#\x1b(B \x1b(I6J6E\x1b(B\n";
    const QByteArray multipart = "From: hanako@example.jp\n"
                                 "To: taro@example.jp\n"
                                 "Subject: parts\n"
                                 "MIME-Version: 1.0\n"
                                 "Content-Type: multipart/mixed; boundary=\"==b0und4ry==\"\n"
                                 "\n"
                                 "--==b0und4ry==\n"
                                 "Content-Type: text/plain; charset=ISO-2022-JP\n"
                                 "\n"
                                 "\x1b$BE:IU$,$\"$j$^$9\x1b(B\n"
                                 "--==b0und4ry==\n"
                                 "Content-Type: application/octet-stream; name=\"a.bin\"\n"
                                 "Content-Transfer-Encoding: base64\n"
                                 "\n"
                                 "AAECAwQFBgcICQoLDA0ODxAREhMUFRYXGBkaGxwdHh8=\n"
                                 "--==b0und4ry==--\n";
    const QByteArray dots = "From: dots@example.jp\n"
                            "Subject: dots\n"
                            "\n"
                            ".\n"
                            "..\n"
                            ".hidden\n"
                            "  trailing  \n"
                            "\n"
                            "end.\n";
    return { japanese, multipart, dots };
}

// The transfer form: CR LF line ends, a leading dot doubled.
inline QByteArray transferForm(const QByteArray &text)
{
    QByteArray out;
    for (QByteArray line : text.split('\n')) {
        if (line.endsWith('\r'))
            line.chop(1);
        if (line.startsWith('.'))
            line.prepend('.');
        out += line + "\r\n";
    }
    out.chop(2); // the split gives one empty piece after the final LF
    return out;
}

} // namespace vesk::test
