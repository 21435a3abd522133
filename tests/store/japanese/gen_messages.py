#!/usr/bin/python3
"""Writes Japanese mail made with Python's email library into box folders,
and expected.json with what Python's own codecs decode from it.

The expected header values follow the box list's documented reading of a
header (To/From continuation lines trimmed and joined, Subject continuation
lines kept with their leading white space, a continuation line with a colon
ends the value, white space between adjacent encoded-words dropped, over-long
ISO-2022-JP words shown as "....."); only the decoding of each word is
Python's. Each message also carries the value Python's email library makes of
the header, for a comparison that ignores white space. The expected texts
have the code points CP932 shows for the few characters it maps differently.

A fixed set of header forms as today's mailers write them (UTF-8 and other
charsets, Q words, raw UTF-8) follows, with what Python's email library makes
of them as the expected values.

Usage: gen_messages.py --out DIR [--seed N] [--count N]
"""

import argparse
import base64
import email
import email.quoprimime
import email.policy
import json
import os
import random
import re
from email.header import Header, decode_header, make_header
from email.message import Message
from email.mime.application import MIMEApplication
from email.mime.multipart import MIMEMultipart
from email.mime.text import MIMEText
from email.utils import formataddr, formatdate

CRLF_POLICY = email.policy.compat32.clone(linesep="\r\n")

SURNAMES = ["山田", "鈴木", "佐藤", "高橋", "田中", "渡辺", "伊藤", "中村", "小林", "加藤",
            "吉田", "山本", "斎藤", "松本", "井上", "木村", "林", "清水", "山崎", "森"]
GIVEN = ["太郎", "花子", "一郎", "美咲", "健太", "由美", "翔", "さくら", "大輔", "愛",
         "ひろし", "めぐみ", "ケンジ"]
WORDS = ["会議", "資料", "送付", "お知らせ", "ご案内", "打ち合わせ", "日程", "変更", "確認",
         "お願い", "報告", "見積書", "請求書", "議事録", "来週", "明日", "新年会", "懇親会",
         "プロジェクト", "進捗", "予定", "テスト", "メール", "返信", "至急", "重要",
         "ありがとうございました", "よろしくお願いします", "ＡＢＣ", "第１回", "２０２６年",
         "１２月", "（株）", "「案」", "・", "ー", "、", "。",
         # Characters that CP932 shows differently from JIS X 0208's reference table.
         "〜", "−", "‖", "¢", "£", "¬"]
BODY_LINES = ["いつもお世話になっております。", "ご確認のほど、よろしくお願いいたします。",
              "会議は来週の月曜日、午前１０時からです。", "資料を添付いたしましたので、ご査収ください。",
              "以上、取り急ぎご連絡まで。", "漢字・ひらがな・カタカナが混じった文章です。",
              "Plain ASCII line in the middle.", "東京都千代田区丸の内１−２−３",
              "金額は￥１２，０００です。", "ご不明な点がございましたら、お気軽にお問い合わせください。"]
DOMAINS = ["example.jp", "example.co.jp", "mail.example.ne.jp"]


def person(rng):
    name = rng.choice(SURNAMES)
    if rng.random() < 0.7:
        name += rng.choice([" ", "　", ""]) + rng.choice(GIVEN)
    return name


def address(rng):
    return "user%d@%s" % (rng.randrange(1000), rng.choice(DOMAINS))


def japanese_phrase(rng, words):
    return "".join(rng.choice(WORDS) for _ in range(words))


def encoded(text, charset="iso-2022-jp", maxlinelen=76, upper=False):
    value = Header(text, charset, maxlinelen=maxlinelen).encode(linesep="\r\n")
    if upper:
        value = re.sub(r"=\?([^?]*)\?b\?", lambda m: "=?%s?B?" % m.group(1).upper(), value)
    return value


def q_word(text, charset="iso-2022-jp"):
    return email.quoprimime.header_encode(text.encode(charset), charset)


def b_word(text, charset, label=None):
    return "=?%s?B?%s?=" % (label or charset, base64.b64encode(text.encode(charset)).decode("ascii"))


# Header forms of today's Japanese mail, Python's email library the reference:
# From, Subject, and whether the reference is decode_header joining adjacent
# words rather than email.policy.default.
KAIGI = base64.b64encode("会議".encode("utf-8"))
FORMS = [
    ("=?utf-8?b?5bGx55Sw5aSq6YOO?= <taro@example.jp>", "=?utf-8?b?5Lya6K2w44Gu5Lu244Gr44Gk44GE44Gm4pGg?=", False),
    ("山田 <y@example.jp>", "=?utf-8?q?=E4=BC=9A=E8=AD=B0?=", False),
    ("a@example.jp", "会議の件", False),
    (q_word("花子", "utf-8") + " <h@example.jp>", "Re: " + b_word("打ち合わせ", "utf-8") + " 日程 ①", False),
    ("a@example.jp", b_word("会議の件", "utf-8", "UTF-8") + "\r\n " + q_word("（再送） ", "utf-8") + "\r\n\t"
     + b_word("〜資料−", "iso-2022-jp") + " " + q_word("送付").replace("?q?", "?Q?"), False),
    ("a@example.jp", b_word("ｶﾀｶﾅ・漢字", "shift_jis") + " " + q_word("日本語", "euc-jp"), False),
    ("a@example.jp", q_word("Café ©", "iso-8859-1") + " " + b_word("“ok”", "windows-1252"), False),
    ("a@example.jp", " ".join(b_word(t, c) for t, c in [("中文", "gb2312"), ("中文", "big5"), ("한국", "euc-kr")]),
     False),
    ("a@example.jp", b_word("休み🎉𠮷野家 ㈱髙", "utf-8"), False),
    ("a@example.jp", "=?utf-8*ja?b?%s?=" % KAIGI.decode("ascii"), False),  # RFC 2231 language
    ("a@example.jp", "=?utf-8?b?5Lya6K2w\r\n 44Gu?=", False),  # one word over a folded line
    ("a@example.jp", "=?utf-8?b?5Lya6A==?= =?utf-8?b?rbA=?=", True),  # a character split over two words
]
CP932_SAME = {0x301C: 0xFF5E, 0x2212: 0xFF0D, 0x2016: 0x2225, 0x00A2: 0xFFE0, 0x00A3: 0xFFE1, 0x00AC: 0xFFE2}


def as_cp932_table(value):
    """Every text with the code points CP932 shows for those characters."""
    if isinstance(value, str):
        return value.translate(CP932_SAME)
    if isinstance(value, list):
        return [as_cp932_table(v) for v in value]
    if isinstance(value, dict):
        return {k: as_cp932_table(v) for k, v in value.items()}
    return value


def as_cp932_shows(text):
    """Characters CP932 lacks show as 〓."""
    out = ""
    for c in text.translate(CP932_SAME):
        try:
            c.encode("cp932")
        except UnicodeEncodeError:
            c = "〓"
        out += c
    return out


def form_message(index, sender, subject, joined):
    data = ("From: %s\r\nTo: me@example.jp\r\nSubject: %s\r\n\r\nbody\r\n" % (sender, subject)).encode("utf-8")
    parsed = email.message_from_bytes(data, policy=email.policy.default)
    if joined:
        shown = "".join(part.decode(charset) for part, charset in decode_header(subject))
    else:
        shown = str(parsed["subject"])
    other = as_cp932_shows(str(parsed["from"]))
    name = "20261206%06d%03d0.ID" % (index, index)
    return name, data, {"box": "InBox", "file": name, "other": other, "other_email": other, "own_names": [],
                        "subject": as_cp932_shows(shown), "subject_email": None, "utf8": True, "form": True,
                        "kind": "", "body_charset": None, "body": None}


def make_subject(rng, index):
    """The raw Subject value and whether Python's email library may serve as a second reference."""
    kind = index % 10
    if kind == 0:
        return "Re: " + encoded(japanese_phrase(rng, 2)), True
    if kind == 1:  # a long subject folded over several encoded-words
        return encoded(japanese_phrase(rng, 12), upper=rng.random() < 0.5), True
    if kind == 2:  # two words on one line
        return encoded(japanese_phrase(rng, 2)) + " " + encoded(japanese_phrase(rng, 2), upper=True), True
    if kind == 3:  # words of several charsets and encodings side by side
        utf8 = Header(japanese_phrase(rng, 1), "utf-8").encode()
        return utf8 + " " + encoded(japanese_phrase(rng, 1)) + " " + q_word("あ"), True
    if kind == 4:  # one word longer than the 86-character guard
        return encoded(japanese_phrase(rng, 20), maxlinelen=1000), False
    if kind == 5:
        return "Plain ASCII subject %d" % index, True
    if kind == 6:  # raw ISO-2022-JP, as some old mailers wrote it
        return japanese_phrase(rng, 2).encode("iso-2022-jp").decode("ascii"), False
    if kind == 8:  # a long UTF-8 subject folded over several words, as most mailers write today
        return encoded(japanese_phrase(rng, 12), charset="utf-8"), True
    return encoded(japanese_phrase(rng, rng.randrange(1, 5)), upper=rng.random() < 0.3), True


def body_text(rng):
    lines = [rng.choice(BODY_LINES) for _ in range(rng.randrange(2, 8))]
    # EUC-JP needs a decisive byte pair to be recognised; ん (A4 F3) is one.
    return "\r\n".join(["こんにちは。"] + lines) + "\r\n"


def single_part(rng, charset, subtype="plain"):
    text = body_text(rng)
    if subtype == "html":
        text = "<html><body>" + text + "</body></html>\r\n"
    raw = text.encode(charset)
    headers = [("MIME-Version", "1.0"),
               ("Content-Type", 'text/%s; charset="%s"' % (subtype, charset.upper())),
               ("Content-Transfer-Encoding", "7bit" if charset == "iso-2022-jp" else "8bit")]
    return headers, raw, text


def multipart(rng, subtype, index):
    outer = MIMEMultipart(subtype, boundary="----=_Part_%d_%d" % (index, rng.randrange(10**6)))
    outer.attach(MIMEText(body_text(rng), "plain", "iso-2022-jp"))
    if subtype in ("alternative", "related"):
        outer.attach(MIMEText("<p>" + japanese_phrase(rng, 3) + "</p>", "html", "iso-2022-jp"))
    else:
        outer.attach(MIMEApplication(bytes(rng.randrange(256) for _ in range(200)), Name="data.bin"))
    return outer


def header_block(fields):
    msg = Message()
    for name, value in fields:
        msg[name] = value
    data = msg.as_bytes(policy=CRLF_POLICY)
    if not data.endswith(b"\r\n\r\n"):
        data += b"\r\n"
    return data


# --- The documented reading of one header value ---

def len_check(line):
    if "=?" in line and "?=" in line and "ISO-2022-JP" in line.upper():
        if line.index("?=") - (line.index("=?") + 2) > 86:
            return "....."
    return line


def unfold(header_lines, name, trimmed):
    value = None
    lines = iter(header_lines)
    for line in lines:
        if not line.upper().startswith(name.upper() + ":"):
            continue
        value = len_check(line[len(name) + 1:].strip())
        for cont in lines:
            if ":" in cont:
                break
            value = value.strip() + len_check(cont.strip()) if trimmed else value + len_check(cont)
            if cont.rstrip() == "":
                break
        break
    return value or ""


def decode_words(value):
    parts = []
    for part, charset in decode_header(value):
        if charset is not None:
            parts.append(part.decode(charset))
            continue
        text = part.decode("raw-unicode-escape") if isinstance(part, bytes) else part
        if "\x1b" in text:  # raw JIS text in the header
            text = text.encode("ascii").decode("iso-2022-jp")
        parts.append(text)
    decoded = "".join(parts)
    if "<" in decoded and ">" in decoded:
        decoded = decoded.replace('"', "")
    return decoded.strip()


def email_library_value(message, name):
    value = message[name]
    return str(make_header(decode_header(value))) if value is not None else ""


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--out", required=True)
    parser.add_argument("--seed", type=int, default=20261205)
    parser.add_argument("--count", type=int, default=50)
    args = parser.parse_args()
    rng = random.Random(args.seed)

    for box in ("InBox", "OutBox"):
        os.makedirs(os.path.join(args.out, box), exist_ok=True)

    expected = []
    for index in range(args.count):
        box = "OutBox" if index % 5 == 4 else "InBox"
        name_charset = "utf-8" if index % 4 == 1 else "iso-2022-jp"
        sender_name = person(rng)
        sender = formataddr((sender_name, address(rng)), charset=name_charset)
        bare_to = index % 11 == 3
        if bare_to:
            to_names = []
            to = address(rng)
        else:
            to_names = [person(rng) for _ in range(rng.choice([1, 1, 2, 3]))]
            to = ", ".join(formataddr((n, address(rng)), charset=name_charset) for n in to_names)
        subject, email_check = make_subject(rng, index)

        fields = [("Date", formatdate(1796000000 + index * 3600, localtime=False)),
                  ("From", sender), ("To", to), ("Subject", subject),
                  ("Message-ID", "<%d.%d@example.jp>" % (args.seed, index))]
        if index % 3 == 0:
            fields.append(("X-Mailer", "Python email %d" % index))

        shape = index % 7
        body_charset = None
        body = None
        if shape in (0, 1, 2, 3):
            body_charset = ["iso-2022-jp", "euc-jp", "shift_jis", "iso-2022-jp"][shape]
            mime, raw, body = single_part(rng, body_charset)
            data = header_block(fields + mime) + raw
            kind = ""
        elif shape == 4:
            mime, raw, _ = single_part(rng, "iso-2022-jp", "html")
            data = header_block(fields + mime) + raw
            kind = "☆"
        else:
            subtype = {5: rng.choice(["mixed", "alternative", "related"]), 6: "signed"}[shape]
            if shape == 6 and index % 2 == 0:
                subtype = "mixed"
            outer = multipart(rng, subtype, index)
            for name, value in fields:
                outer[name] = value
            data = outer.as_bytes(policy=CRLF_POLICY)
            kind = {"mixed": "＋", "alternative": "☆", "related": "☆", "signed": "？"}[subtype]

        envelope = b""
        if box == "OutBox":
            envelope = ("VeskFrom: <me@example.jp>\r\nVeskTo: <you@example.jp>\r\n"
                        "Received: from localhost by vesk\r\n").encode("ascii")
        data = envelope + data

        name = "20261205%06d%03d0.ID" % (index * 7, index)
        with open(os.path.join(args.out, box, name), "wb") as f:
            f.write(data)

        header_text = data.split(b"\r\n\r\n", 1)[0].decode("ascii")
        header_lines = header_text.split("\r\n")
        parsed = email.message_from_bytes(data, policy=email.policy.compat32)
        from_value = decode_words(unfold(header_lines, "From", True))
        to_value = decode_words(unfold(header_lines, "To", True))
        own_names = [sender_name] if box == "OutBox" else to_names
        expected.append({
            "box": box,
            "file": name,
            "other": to_value if box == "OutBox" else from_value,
            "other_email": email_library_value(parsed, "To" if box == "OutBox" else "From"),
            "own_names": own_names,
            "subject": decode_words(unfold(header_lines, "Subject", False)),
            "subject_email": email_library_value(parsed, "Subject") if email_check else None,
            "utf8": "=?utf-8?" in (subject + sender + to).lower(),
            "kind": kind,
            "body_charset": body_charset,
            "body": body,
        })

    for index, (sender, subject, joined) in enumerate(FORMS):
        name, data, values = form_message(index, sender, subject, joined)
        with open(os.path.join(args.out, "InBox", name), "wb") as f:
            f.write(data)
        expected.append(values)

    with open(os.path.join(args.out, "expected.json"), "w", encoding="utf-8") as f:
        json.dump(as_cp932_table(expected), f, ensure_ascii=False, indent=1)


if __name__ == "__main__":
    main()
