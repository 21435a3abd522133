"""Sends one message through Vesk's local SMTP server with Python's smtplib.

usage: smtp_client.py PORT FROM TO[,TO...] FILE
Prints the JSON of the refused recipients (empty when all were taken).
"""
import json
import smtplib
import sys


def main():
    port, sender, recipients, path = int(sys.argv[1]), sys.argv[2], sys.argv[3].split(","), sys.argv[4]
    with open(path, "rb") as message:
        content = message.read()
    with smtplib.SMTP("127.0.0.1", port, timeout=30) as client:
        refused = client.sendmail(sender, recipients, content)
    print(json.dumps({key: [code, text.decode("latin-1")] for key, (code, text) in refused.items()}))


if __name__ == "__main__":
    main()
