#!/usr/bin/python3
"""Decodes header values with Python's email library, as the reference for
the box list's decoding.

Reads a JSON array of {"name": header name, "raw": the raw value in base64,
"joined": bool} from standard input and writes a JSON array with the decoded
value of each: what email.policy.default makes of the header, or, with
"joined", the bytes of adjacent words of one charset decoded together as
email.header.decode_header gives them. Each value is then written as Shift_JIS
(CP932) would show it: the few characters whose JIS X 0208 code point CP932
shows differently are mapped to CP932's, and characters CP932 lacks become 〓.
"""

import base64
import email
import email.policy
import json
import sys
from email.header import decode_header

CP932_SAME = {0x301C: 0xFF5E, 0x2212: 0xFF0D, 0x2016: 0x2225, 0x00A2: 0xFFE0,
              0x00A3: 0xFFE1, 0x00AC: 0xFFE2, 0x2014: 0x2015}


def as_cp932_shows(text):
    out = []
    for c in text.translate(CP932_SAME):
        try:
            c.encode("cp932")
            out.append(c)
        except UnicodeEncodeError:
            out.append("〓")
    return "".join(out)


def decoded(name, raw, joined):
    if joined:
        value = raw.decode("ascii").replace("\r\n", "")
        return "".join(part.decode(charset) for part, charset in decode_header(value))
    message = email.message_from_bytes(name.encode("ascii") + b": " + raw + b"\r\n\r\n",
                                       policy=email.policy.default)
    return str(message[name])


def main():
    cases = json.load(sys.stdin)
    json.dump([as_cp932_shows(decoded(c["name"], base64.b64decode(c["raw"]), c["joined"]))
               for c in cases], sys.stdout, ensure_ascii=False)


if __name__ == "__main__":
    main()
