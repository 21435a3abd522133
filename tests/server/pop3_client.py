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
    port, user, password = int(sys.argv[1]), sys.argv[2], sys.argv[3]
    steps = sys.argv[4:]
    client = poplib.POP3("127.0.0.1", port, timeout=30)
    results = [text(client.getwelcome())]
    if steps and steps[0] == "--apop":
        steps = steps[1:]
        results.append(text(client.apop(user, password)))
    else:
        client.user(user)
        results.append(text(client.pass_(password)))
    for step in steps:
        name, *args = step.split(":")
        if name == "stat":
            results.append(list(client.stat()))
        elif name == "list":
            resp, lines, _ = client.list()
            results.append([text(resp)] + [text(line) for line in lines])
        elif name == "uidl":
            resp, lines, _ = client.uidl()
            results.append([text(resp)] + [text(line) for line in lines])
        elif name == "top":
            _, lines, _ = client.top(int(args[0]), int(args[1]))
            results.append("\n".join(text(line) for line in lines))
        elif name == "retr":
            _, lines, _ = client.retr(int(args[0]))
            results.append("\n".join(text(line) for line in lines))
        elif name == "dele":
            results.append(text(client.dele(int(args[0]))))
        elif name == "quit":
            results.append(text(client.quit()))
    print(json.dumps(results))


if __name__ == "__main__":
    main()
