#!/usr/bin/python3
"""Peak resident memory of `vesk --headless` while clients flood its local servers.

Each flood runs against a fresh program with private XDG_CONFIG_HOME,
XDG_DATA_HOME and XDG_RUNTIME_DIR folders and a hand-written Vesk.ini: the
mailers' ports on free high ports, a provider account on a closed port with
periodic checking off (no provider session ever closes the servers), ManuSend=1
(a mailer's QUIT sends nothing on) and five small messages in the in-box.
Shown from /proc/PID/status: VmRSS and VmHWM after start-up, the largest VmRSS
seen every 20 ms during the flood, VmHWM and VmRSS after it.
  1   a client logs in and pipelines 12 MiB of LIST lines, reading nothing
  2   1 MiB of pipelined UIDL lines while another client runs a normal session
      (USER, PASS, STAT, LIST, UIDL, RETR 1-5, QUIT), which is timed alone too
  3   five parallel SMTP DATA transfers of 200 MiB each
  4p  64 MiB without a line end to POP3;  4s  the same to SMTP
  5   20 simultaneous connects to POP3: until each is greeted or turned away
A flooding client gives up once the server has taken nothing for a while: the
server stops reading a client that does not read its replies.

usage: flood_rss.py [--vesk BUILD/src/vesk] [--only 1,2,3,4p,4s,5]
Needs /usr/bin/python3 only, and about 1 GB of free disk for flood 3.
"""
import argparse
import os
import selectors
import shutil
import socket
import subprocess
import tempfile
import threading
import time

USER, PASSWORD = "taro", "pa55word"
MiB = 1024 * 1024


def memory_kib(pid):
    with open(f"/proc/{pid}/status") as f:
        return {k: int(v.split()[0]) for k, v in (line.split(":", 1) for line in f) if k in ("VmRSS", "VmHWM")}


class Vesk:
    """One `vesk --headless` in a private home, five messages in its in-box."""

    def __init__(self, program):
        self.program, self.home = program, tempfile.mkdtemp(prefix="vesk-flood-")
        holders = [socket.create_server(("127.0.0.1", 0)) for _ in range(6)]  # six free ports
        self.pop3, self.smtp, pop3b, smtpb, dead_pop3, dead_smtp = [s.getsockname()[1] for s in holders]
        for s in holders:
            s.close()
        self.env = dict(os.environ, HOME=self.home, XDG_CONFIG_HOME=f"{self.home}/config",
                        XDG_DATA_HOME=f"{self.home}/data", XDG_RUNTIME_DIR=f"{self.home}/run")
        inbox = f"{self.home}/data/Dorvane/Vesk/InBox"
        for folder in (f"{self.home}/config/Dorvane", f"{self.home}/run", inbox):
            os.makedirs(folder, mode=0o700)
        for i in range(5):
            with open(f"{inbox}/2026120608000000{i:02d}.ID", "wb") as f:
                f.write(f"From: s{i}@example.jp\r\nSubject: m{i}\r\n\r\n".encode() + b"body line\r\n" * 200)
        with open(f"{self.home}/config/Dorvane/Vesk.ini", "w") as f:
            f.write(f"[Config]\nServerON=1\nHost=127.0.0.1\nUserID={USER}\n"
                    f"Password=..{PASSWORD.encode().hex().upper()}\n"  # stored encoded, as Vesk writes it
                    f"POP3_ServerVesk={dead_pop3}\nSMTP_ServerVesk={dead_smtp}\n"
                    f"POP3_VeskMailer1={self.pop3}\nSMTP_VeskMailer1={self.smtp}\n"
                    f"POP3_VeskMailer2={pop3b}\nSMTP_VeskMailer2={smtpb}\nRoundGo=0\nFirstDelay=59\nManuSend=1\n")
        self.log = open(f"{self.home}/vesk.log", "wb")
        self.proc = subprocess.Popen([program, "--headless"], env=self.env, stdout=subprocess.DEVNULL,
                                     stderr=self.log)
        for _ in range(300):  # until the local POP3 server greets
            try:
                connect(self.pop3)[0].close()
                break
            except OSError:
                time.sleep(0.1)
        else:
            raise RuntimeError("vesk did not start; see " + self.log.name)
        time.sleep(1.0)
        self.base = memory_kib(self.proc.pid)

    def close(self):
        subprocess.run([self.program, "--quit"], env=self.env, capture_output=True, timeout=30)
        try:
            self.proc.wait(20)
        except subprocess.TimeoutExpired:
            self.proc.kill()
            self.proc.wait()
        self.log.close()
        shutil.rmtree(self.home, ignore_errors=True)


def sample_rss(pid, done, most):
    """Keeps the largest VmRSS in most[0], read every 20 ms until `done` is set."""
    while not done.is_set():
        most[0] = max(most[0], memory_kib(pid).get("VmRSS", 0))
        time.sleep(0.02)


def connect(port):
    s = socket.create_connection(("127.0.0.1", port), timeout=60)
    reader = s.makefile("rb")
    if not reader.readline():
        raise ConnectionResetError("no greeting")
    return s, reader


def ask(s, reader, line, multi=False):
    s.sendall(line.encode() + b"\r\n")
    reply = reader.readline()
    while multi and reply.startswith(b"+OK") and (extra := reader.readline()) not in (b".\r\n", b""):
        reply += extra
    return reply


def login(port):
    s, reader = connect(port)
    ask(s, reader, f"USER {USER}")
    if not ask(s, reader, f"PASS {PASSWORD}").startswith(b"+OK"):
        raise RuntimeError("local POP3 login failed")
    return s, reader


def push(s, chunk, total, stall):
    """Sends `chunk` over and over up to `total` bytes, reading nothing, until the
    peer has taken nothing for `stall` seconds or drops the connection."""
    s.settimeout(stall)
    view, sent = memoryview(chunk), 0
    try:
        while sent < total:
            pos = sent % len(chunk)
            sent += s.send(view[pos:pos + min(len(chunk) - pos, total - sent)])
        return sent, "all taken"
    except socket.timeout:
        return sent, f"stalled ({stall} s without progress)"
    except OSError as error:
        return sent, f"dropped ({error.strerror})"


def normal_session(port):
    started = time.perf_counter()
    s, reader = login(port)
    for command in ("STAT", "LIST", "UIDL", "RETR 1", "RETR 2", "RETR 3", "RETR 4", "RETR 5", "QUIT"):
        if not ask(s, reader, command, multi=command[0] in "LUR").startswith(b"+OK"):
            raise RuntimeError(f"{command} failed in the normal session")
    s.close()
    return time.perf_counter() - started


def flood_list(v):
    s, _ = login(v.pop3)
    sent, how = push(s, b"LIST\r\n" * 10000, 12 * MiB, 10)
    s.close()
    return f"{sent / MiB:.1f} of 12 MiB of LIST lines taken, {how}"


def flood_uidl(v):
    alone = normal_session(v.pop3)
    s, _ = login(v.pop3)
    result = []
    flood = threading.Thread(target=lambda: result.append(push(s, b"UIDL\r\n" * 10000, MiB, 10)))
    flood.start()
    time.sleep(0.2)
    during = normal_session(v.pop3)
    flood.join()
    s.close()
    sent, how = result[0]
    return (f"{sent / MiB:.2f} of 1 MiB of UIDL lines taken, {how}; the other client's session took "
            f"{during * 1000:.0f} ms during the flood, {alone * 1000:.0f} ms alone (5 RETR with their 100 ms pauses)")


def flood_data(v, size=200 * MiB, clients=5):
    block = b"0123456789abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789abcd\r\n" * (MiB // 78)
    outcome = []

    def transfer():
        s, reader = connect(v.smtp)
        for line in ("HELO flood", "MAIL FROM:<a@example.jp>", "RCPT TO:<b@example.jp>", "DATA"):
            reply = ask(s, reader, line)
        if not reply.startswith(b"354"):
            return outcome.append((0, "DATA refused", reply.strip()))
        s.sendall(b"Subject: big\r\n\r\n")
        sent, how = push(s, block, size - size % len(block), 60)
        try:
            reply = ask(s, reader, ".").strip()
            ask(s, reader, "QUIT")
        except OSError as error:
            reply = str(error).encode()
        outcome.append((sent, how, reply))
        s.close()

    started = time.perf_counter()
    threads = [threading.Thread(target=transfer) for _ in range(clients)]
    for t in threads:
        t.start()
    for t in threads:
        t.join()
    elapsed = time.perf_counter() - started
    total = sum(o[0] for o in outcome)
    ends = sorted({f"{o[1]}, {o[2].decode(errors='replace')!r}" for o in outcome})
    return (f"{clients} x {total / clients / MiB:.0f} MiB in {elapsed:.1f} s "
            f"({total / MiB / elapsed:.0f} MiB/s together); {' / '.join(ends)}")


def flood_line(v, port):
    s, reader = connect(port)
    sent, how = push(s, b"A" * (64 * 1024), 64 * MiB, 10)
    try:
        s.settimeout(5)
        s.sendall(b"\r\n")
        answer = reader.readline().strip().decode(errors="replace") or "(closed)"
    except socket.timeout:
        answer = "(nothing within 5 s)"
    except OSError:
        answer = "(closed)"
    s.close()
    answer = answer if len(answer) < 60 else f"{answer[:40]!r}... ({len(answer)} characters)"
    return f"{sent / MiB:.1f} of 64 MiB taken, {how}; then the line end answered {answer}"


def flood_connect(v, count=20):
    selector = selectors.DefaultSelector()
    started = time.perf_counter()
    for _ in range(count):
        s = socket.socket()
        s.setblocking(False)
        s.connect_ex(("127.0.0.1", v.pop3))
        selector.register(s, selectors.EVENT_READ)
    greeted, turned, sockets = [], [], list(selector.get_map().values())
    while selector.get_map() and time.perf_counter() - started < 30:
        for key, _ in selector.select(1):
            s = key.fileobj
            try:
                data = s.recv(512)
            except OSError:
                data = b""
            (greeted if data.startswith(b"+OK") else turned).append(time.perf_counter() - started)
            selector.unregister(s)  # but kept open until every one is answered
    for key in sockets:
        key.fileobj.close()
    last = lambda times: f"{max(times) * 1000:.0f} ms" if times else "-"
    return (f"{len(greeted)} of {count} greeted, the last after {last(greeted)}; "
            f"{len(turned)} turned away (closed), the last after {last(turned)}")


FLOODS = {"1": flood_list, "2": flood_uidl, "3": flood_data, "4p": lambda v: flood_line(v, v.pop3),
          "4s": lambda v: flood_line(v, v.smtp), "5": flood_connect}


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--vesk", default=os.path.join(os.path.dirname(__file__), "..", "build", "src", "vesk"))
    parser.add_argument("--only", default=",".join(FLOODS))
    args = parser.parse_args()
    mib = lambda kib: f"{kib / 1024:.1f} MiB"
    print("flood | RSS (VmHWM) after start | most RSS during | VmHWM after | RSS after | what happened")
    for name in args.only.split(","):
        v = Vesk(os.path.abspath(args.vesk))
        try:
            done, most = threading.Event(), [0]
            sampler = threading.Thread(target=sample_rss, args=(v.proc.pid, done, most))
            sampler.start()
            what = FLOODS[name](v)
            done.set()
            sampler.join()
            time.sleep(0.5)
            after = memory_kib(v.proc.pid)  # fails if vesk has died
            print(f"{name} | {mib(v.base['VmRSS'])} ({mib(v.base['VmHWM'])}) | {mib(most[0])} | "
                  f"{mib(after['VmHWM'])} | {mib(after['VmRSS'])} | {what}", flush=True)
        finally:
            v.close()


if __name__ == "__main__":
    main()
