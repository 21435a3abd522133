#!/usr/bin/python3
"""Retrieval benchmark: mail clients fetch the same messages from Vesk's local
POP3 server and from a private Dovecot POP3 server, in one run.

Two sets: 1000 small messages and 20 messages of one megabyte. The small set
is fetched with Python's poplib; the large one with poplib (a line at a time),
curl (one process, every message over one connection) and a client that reads
in blocks of 1 MiB, as mail programs written in C do. Vesk runs as
bench/local_pop3_bench (built with the project) on a prepared data folder;
Dovecot runs with its own configuration in a temporary folder, as the test
peer does. Vesk waits a fixed 100 ms before it looks a message up for every
TOP and RETR (a pause of the design); the figures are given as measured, less
that pause (the program's timers keep it to the millisecond), and measured
again with the pause set to 0.

usage: local_pop3_vs_dovecot.py --driver BUILD/bench/local_pop3_bench [--rounds N]
Needs root (Dovecot serves mail as the Debian user "mail") and the packages
dovecot-pop3d and python3.
"""
import argparse
import os
import poplib
import pwd
import shutil
import socket
import statistics
import subprocess
import sys
import tempfile
import time

import bench_dovecot

USER = "taro"
PASSWORD = "pa55word"
PAUSE_S = 0.100


def small_message(i):
    body = "".join(f"line {n:03d} of message {i:04d}: the quick brown fox jumps over the lazy dog\n"
                   for n in range(18))
    return (f"From: sender{i}@example.jp\nTo: taro@example.jp\nSubject: small {i}\n"
            f"Message-ID: <small{i}@example.jp>\nDate: Sun, 06 Dec 2026 08:00:00 +0900\n\n" + body)


def big_message(i):
    line = "0123456789abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789ab\n"
    header = (f"From: sender{i}@example.jp\nTo: taro@example.jp\nSubject: big {i}\n"
              f"Message-ID: <big{i}@example.jp>\n\n")
    return header + line * ((1024 * 1024 - len(header)) // len(line))


def retrieve_blocks(port, count):
    """Logs in over a plain socket and reads every RETR reply in 1 MiB blocks."""
    sock = socket.create_connection(("127.0.0.1", port), timeout=120)
    reader = sock.makefile("rb")
    reader.readline()
    for command in (f"USER {USER}\r\n", f"PASS {PASSWORD}\r\n"):
        sock.sendall(command.encode())
        if not reader.readline().startswith(b"+OK"):
            raise RuntimeError("login failed")
    started = time.perf_counter()
    octets = 0
    for number in range(1, count + 1):
        sock.sendall(f"RETR {number}\r\n".encode())
        tail = b""
        while True:
            block = sock.recv(1 << 20)
            if not block:
                raise RuntimeError("connection closed")
            octets += len(block)
            tail = (tail + block)[-5:]
            if tail == b"\r\n.\r\n":
                break
    elapsed = time.perf_counter() - started
    sock.sendall(b"QUIT\r\n")
    sock.close()
    return elapsed, octets


def retrieve_curl(port, count):
    """One curl process fetching every message over one connection."""
    urls = [f"pop3://127.0.0.1:{port}/{n}" for n in range(1, count + 1)]
    started = time.perf_counter()
    result = subprocess.run(["curl", "-s", "-u", f"{USER}:{PASSWORD}"] + urls,
                            stdout=subprocess.PIPE, check=True)
    return time.perf_counter() - started, len(result.stdout)


def retrieve_all(port, count):
    """Logs in, retrieves every message; returns (seconds for the RETRs, octets)."""
    client = poplib.POP3("127.0.0.1", port, timeout=120)
    client.user(USER)
    client.pass_(PASSWORD)
    n, _ = client.stat()
    if n != count:
        raise RuntimeError(f"server holds {n} messages, expected {count}")
    started = time.perf_counter()
    octets = 0
    for number in range(1, n + 1):
        _, lines, _ = client.retr(number)
        octets += sum(len(line) + 2 for line in lines)
    elapsed = time.perf_counter() - started
    client.quit()
    return elapsed, octets


class Vesk:
    def __init__(self, driver, messages, pause_ms):
        self.dir = tempfile.mkdtemp(prefix="vesk-bench-")
        inbox = os.path.join(self.dir, "InBox")
        os.makedirs(inbox)
        for i, text in enumerate(messages):
            name = f"2026120608000000{i:05d}0.ID"
            with open(os.path.join(inbox, name), "wb") as f:
                f.write(text.replace("\n", "\r\n").encode("ascii"))
        self.process = subprocess.Popen(
            [driver, "--dir", self.dir, "--pause-ms", str(pause_ms), "--user", USER, "--password", PASSWORD],
            stdin=subprocess.PIPE, stdout=subprocess.PIPE, text=True)
        ready = self.process.stdout.readline().split()
        if not ready or ready[0] != "READY":
            raise RuntimeError("the Vesk driver did not start")
        self.port = int(ready[1])

    def close(self):
        self.process.stdin.close()
        self.process.wait(30)
        shutil.rmtree(self.dir, ignore_errors=True)


class Dovecot:
    def __init__(self, messages):
        self.dir = tempfile.mkdtemp(prefix="vesk-bench-dovecot-")
        os.chmod(self.dir, 0o755)
        mail = pwd.getpwnam("mail")
        self.port = bench_dovecot.free_port()
        d = self.dir
        for sub in ("run", "state"):
            os.makedirs(os.path.join(d, sub))
        maildir = os.path.join(d, "mail", USER)
        for sub in ("new", "cur", "tmp"):
            os.makedirs(os.path.join(maildir, sub))
        for i, text in enumerate(messages):
            with open(os.path.join(maildir, "new", f"1765000000.M{i:06d}P1.bench"), "w") as f:
                f.write(text)
        for root, dirs, files in os.walk(os.path.join(d, "mail")):
            os.chown(root, mail.pw_uid, mail.pw_gid)
            for name in files:
                os.chown(os.path.join(root, name), mail.pw_uid, mail.pw_gid)
        bench_dovecot.write_config(d, self.port, USER, PASSWORD)
        with open(os.path.join(d, "start.log"), "w") as log:
            subprocess.run(["/usr/sbin/dovecot", "-c", os.path.join(d, "dovecot.conf")],
                           stdout=log, stderr=log, check=True)
        for _ in range(100):
            try:
                client = poplib.POP3("127.0.0.1", self.port, timeout=5)
                client.user(USER)
                client.pass_(PASSWORD)
                client.stat()  # builds the index once, outside the timing
                client.quit()
                return
            except (OSError, poplib.error_proto):
                time.sleep(0.1)
        raise RuntimeError("Dovecot did not start")

    def close(self):
        subprocess.run(["/usr/sbin/dovecot", "-c", os.path.join(self.dir, "dovecot.conf"), "stop"],
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        time.sleep(0.5)
        shutil.rmtree(self.dir, ignore_errors=True)


def measure(servers, count, rounds, client=retrieve_all):
    """Median retrieval time of each server; the rounds alternate between the
    servers so that a busy moment of the machine does not favour one."""
    times = [[] for _ in servers]
    octets = 0
    for _ in range(rounds):
        for i, server in enumerate(servers):
            elapsed, octets = client(server.port, count)
            times[i].append(elapsed)
    return [statistics.median(t) for t in times], octets


def report(label, seconds, count, octets):
    print(f"  {label:<44} {seconds:8.3f} s  {count / seconds:9.1f} msg/s  {octets / seconds / 1e6:8.1f} MB/s")


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--driver", required=True)
    parser.add_argument("--rounds", type=int, default=7)
    args = parser.parse_args()
    sets = [("1000 small messages", [small_message(i) for i in range(1000)],
             [("poplib", retrieve_all)]),
            ("20 one-megabyte messages", [big_message(i) for i in range(20)],
             [("poplib", retrieve_all), ("curl", retrieve_curl), ("1 MiB blocks", retrieve_blocks)])]
    for title, messages, clients in sets:
        count = len(messages)
        paused = Vesk(args.driver, messages, 100)
        unpaused = Vesk(args.driver, messages, 0)
        dovecot = Dovecot(messages)
        try:
            for name, client in clients:
                print(f"{title}, {name} (median of {args.rounds} rounds; "
                      f"the paused server {1 if count > 100 else args.rounds})")
                # The pause alone makes a round of many messages long.
                (with_pause,), octets = measure([paused], count, 1 if count > 100 else args.rounds, client)
                (without, other), octets = measure([unpaused, dovecot], count, args.rounds, client)
                report("Vesk, as designed (100 ms pause)", with_pause, count, octets)
                report("Vesk, less the pause (computed)", with_pause - count * PAUSE_S, count, octets)
                report("Vesk, pause set to 0 (measured)", without, count, octets)
                report("Dovecot", other, count, octets)
                sys.stdout.flush()
        finally:
            paused.close()
            unpaused.close()
            dovecot.close()


if __name__ == "__main__":
    main()
