#!/usr/bin/python3
"""Downloads the same mailbox from a private local Dovecot with Vesk's provider
session and with fetchmail, and reports time per message and throughput.

Run with Debian's python as root (Dovecot runs its mail as the user "mail"):
    /usr/bin/python3 bench/download_vs_fetchmail.py --driver BUILD/bench/provider_download_bench

Rounds: 1000 small messages and 20 one-megabyte messages, each fetched by Vesk
without the session's fixed pauses (100 ms before RETR, 100 ms after saving),
by Vesk with them, and by fetchmail (sslproto "", no keep, an MDA that writes
one file per message). Vesk saves each message crash-safely (file and folder
flushed to disk); the MDA does not.
"""

import argparse
import os
import poplib
import pwd
import shutil
import subprocess
import sys
import tempfile
import time

import bench_dovecot

USER = "taro"
PASSWORD = "pa55word"


class Dovecot:
    def __init__(self, base):
        self.dir = os.path.join(base, "dovecot")
        self.port = bench_dovecot.free_port()
        self.maildir = os.path.join(self.dir, "mail", USER)
        mail = pwd.getpwnam("mail")
        self.uid, self.gid = mail.pw_uid, mail.pw_gid
        for sub in ("run", "state", "mail"):
            os.makedirs(os.path.join(self.dir, sub))
        for sub in ("new", "cur", "tmp"):
            os.makedirs(os.path.join(self.maildir, sub))
        os.chmod(base, 0o755)
        os.chmod(self.dir, 0o755)
        for root, dirs, _ in os.walk(os.path.join(self.dir, "mail")):
            os.chown(root, self.uid, self.gid)
            for d in dirs:
                os.chown(os.path.join(root, d), self.uid, self.gid)
        bench_dovecot.write_config(self.dir, self.port, USER, PASSWORD)

    def start(self):
        with open(os.path.join(self.dir, "start.log"), "w") as log:
            subprocess.run(["/usr/sbin/dovecot", "-c", os.path.join(self.dir, "dovecot.conf")],
                           stdout=log, stderr=log, check=True)
        for _ in range(100):
            try:
                self.count()
                return
            except OSError:
                time.sleep(0.1)
        raise RuntimeError("Dovecot did not answer")

    def stop(self):
        subprocess.run(["/usr/sbin/dovecot", "-c", os.path.join(self.dir, "dovecot.conf"), "stop"],
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)

    def count(self):
        """Logs in and asks STAT; also lets Dovecot index new mail before a timed run."""
        pop = poplib.POP3("127.0.0.1", self.port, timeout=60)
        pop.user(USER)
        pop.pass_(PASSWORD)
        n, _ = pop.stat()
        pop.quit()
        return n

    def fill(self, messages):
        stamp = int(time.time())
        for i, text in enumerate(messages):
            name = f"{stamp}.M{i:06d}P{os.getpid()}.bench"
            tmp = os.path.join(self.maildir, "tmp", name)
            with open(tmp, "wb") as f:
                f.write(text)
            os.chown(tmp, self.uid, self.gid)
            os.rename(tmp, os.path.join(self.maildir, "new", name))


def small_messages(n):
    out = []
    for i in range(n):
        body = b"".join(b"\x1b$B$3$s$K$A$O\x1b(B line %d of message %d, some ordinary text.\n" % (j, i)
                        for j in range(25))
        out.append(b"From: sender%d@example.jp\nTo: taro@example.jp\n"
                   b"Subject: =?ISO-2022-JP?B?GyRCJDMkcyRLJEEkTxsoQg==?= %d\n"
                   b"Message-ID: <%d.bench@example.jp>\nMIME-Version: 1.0\n"
                   b"Content-Type: text/plain; charset=ISO-2022-JP\n\n" % (i, i, i) + body + b".dot line\n")
    return out


def large_messages(n, size=1024 * 1024):
    out = []
    line = b"QUJDREVGR0hJSktMTU5PUFFSU1RVVldYWVphYmNkZWZnaGlqa2xtbm9wcXJzdHV2d3h5ejAxMjM0\n"
    for i in range(n):
        head = (b"From: big@example.jp\nTo: taro@example.jp\nSubject: large %d\nMIME-Version: 1.0\n"
                b"Content-Type: application/octet-stream\nContent-Transfer-Encoding: base64\n\n" % i)
        out.append(head + line * ((size - len(head)) // len(line)))
    return out


def run_vesk(driver, dovecot, base, retr_pause, saved_pause):
    data = tempfile.mkdtemp(dir=base, prefix="vesk-")
    result = subprocess.run([driver, "127.0.0.1", str(dovecot.port), USER, PASSWORD, data,
                             str(retr_pause), str(saved_pause)],
                            capture_output=True, text=True, timeout=3600)
    fields = dict(item.split("=", 1) for item in result.stdout.split())
    if result.returncode != 0 or fields.get("marker") != "ok":
        raise RuntimeError("Vesk download failed: " + result.stdout + result.stderr)
    shutil.rmtree(data)
    return int(fields["messages"]), int(fields["bytes"]), float(fields["seconds"])


def run_fetchmail(dovecot, base):
    work = tempfile.mkdtemp(dir=base, prefix="fetchmail-")
    out = os.path.join(work, "out")
    os.mkdir(out)
    mda = os.path.join(work, "mda.sh")
    with open(mda, "w") as f:
        f.write(f"#!/bin/sh\nexec cat > {out}/m.$$\n")
    os.chmod(mda, 0o755)
    rc = os.path.join(work, "fetchmailrc")
    with open(rc, "w") as f:
        f.write(f'set no syslog\npoll 127.0.0.1 with proto POP3 port {dovecot.port}\n'
                f'  user "{USER}" there with password "{PASSWORD}" is root here\n'
                f'  options sslproto "" no keep fetchall no rewrite mda "{mda}"\n')
    os.chmod(rc, 0o600)
    env = dict(os.environ, HOME=work)
    start = time.perf_counter()
    result = subprocess.run(["fetchmail", "-f", rc, "-i", os.path.join(work, "ids"), "--nodetach"],
                            capture_output=True, text=True, env=env, timeout=3600)
    seconds = time.perf_counter() - start
    if result.returncode not in (0, 1):
        raise RuntimeError("fetchmail failed: " + result.stdout + result.stderr)
    names = os.listdir(out)
    size = sum(os.path.getsize(os.path.join(out, n)) for n in names)
    shutil.rmtree(work)
    return len(names), size, seconds


def save_cost(base, count=200):
    """What one crash-safe save (write, flush, rename, flush the folder) costs on this disk."""
    folder = tempfile.mkdtemp(dir=base, prefix="fsync-")
    start = time.perf_counter()
    for i in range(count):
        tmp = os.path.join(folder, f".{i}.tmp")
        fd = os.open(tmp, os.O_WRONLY | os.O_CREAT | os.O_EXCL, 0o600)
        os.write(fd, b"x" * 1700)
        os.fsync(fd)
        os.close(fd)
        os.rename(tmp, os.path.join(folder, f"{i}.ID"))
        fd = os.open(folder, os.O_RDONLY)
        os.fsync(fd)
        os.close(fd)
    seconds = time.perf_counter() - start
    shutil.rmtree(folder)
    return 1000 * seconds / count


def measure(label, make, driver, dovecot, base, rounds, paused_count):
    rows = []
    for name, runner in (("vesk (no pauses)", lambda: run_vesk(driver, dovecot, base, 0, 0)),
                         ("vesk (design pauses)", lambda: run_vesk(driver, dovecot, base, 100, 100)),
                         ("fetchmail", lambda: run_fetchmail(dovecot, base))):
        messages = make(paused_count if "design" in name else None)
        if not messages:
            continue
        for _ in range(1 if "design" in name else rounds):
            dovecot.fill(messages)
            if dovecot.count() != len(messages):
                raise RuntimeError("mailbox not as filled")
            n, size, seconds = runner()
            if n != len(messages) or dovecot.count() != 0:
                raise RuntimeError(f"{name}: fetched {n} of {len(messages)}, {dovecot.count()} left")
            rows.append((label, name, n, size, seconds))
    return rows


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--driver", required=True, help="provider_download_bench from the build tree")
    parser.add_argument("--small", type=int, default=1000)
    parser.add_argument("--large", type=int, default=20)
    parser.add_argument("--rounds", type=int, default=3, help="runs of each unpaused measurement")
    parser.add_argument("--paused-small", type=int, default=1000,
                        help="small messages for the run with the design's pauses (0 to skip)")
    parser.add_argument("--paused-large", type=int, default=20)
    args = parser.parse_args()
    if os.geteuid() != 0:
        sys.exit("run as root: Dovecot keeps the mail as the user 'mail'")

    base = tempfile.mkdtemp(prefix="vesk-bench-")
    dovecot = Dovecot(base)
    dovecot.start()
    try:
        disk = save_cost(base)
        rows = measure("small", lambda k: small_messages(args.small if k is None else k),
                       args.driver, dovecot, base, args.rounds, args.paused_small)
        rows += measure("1 MB", lambda k: large_messages(args.large if k is None else k),
                        args.driver, dovecot, base, args.rounds, args.paused_large)
    finally:
        dovecot.stop()
        shutil.rmtree(base, ignore_errors=True)

    print(f"disk: one crash-safe save of a small file costs {disk:.2f} ms here")
    print(f"{'set':6} {'client':22} {'msgs':>5} {'MB':>8} {'seconds':>9} {'ms/msg':>8} {'MB/s':>8}")
    for label, name, n, size, seconds in rows:
        mb = size / (1024 * 1024)
        print(f"{label:6} {name:22} {n:5d} {mb:8.2f} {seconds:9.3f} {1000 * seconds / n:8.2f} {mb / seconds:8.2f}")


if __name__ == "__main__":
    main()
