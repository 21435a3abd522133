"""Drives Vesk's local POP3 server with Python's poplib for the server tests.

usage: pop3_client.py PORT USER PASSWORD [--apop] STEP...
steps: stat, list, uidl, top:N:K, retr:N, dele:N, quit
Prints one JSON list: the result of each step (texts as Latin-1).
"""
import json
import poplib
import sys


def text(value):
    return value.decode("latin-1") if isinstance(value, bytes) else value


def main():
    port, user, password, steps = int(sys.argv[1]), sys.argv[2], sys.argv[3], sys.argv[4:]
    client = poplib.POP3("127.0.0.1", port, timeout=30)
    results = [text(client.getwelcome())]
    if steps[:1] == ["--apop"]:
        steps = steps[1:]
        results.append(text(client.apop(user, password)))
    else:
        client.user(user)
        results.append(text(client.pass_(password)))
    for step in steps:
        name, *args = step.split(":")
        result = getattr(client, name)(*map(int, args))
        if name == "stat":
            results.append(list(result))
        elif name in ("list", "uidl"):
            results.append([text(result[0])] + [text(line) for line in result[1]])
        elif name in ("top", "retr"):
            results.append("\n".join(text(line) for line in result[1]))
        else:
            results.append(text(result))
    print(json.dumps(results))


if __name__ == "__main__":
    main()
