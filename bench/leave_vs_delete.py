#!/usr/bin/python3
"""What leaving the mail at the provider costs: downloads the same mailbox from
a private local Dovecot with Vesk's provider session, once deleting at the
server (the baseline), once leaving it there (UIDL, the id list and the
journal's id lines), and then checks the kept mailbox again with nothing new
(what every later check costs).

Run with Debian's python as root (Dovecot runs its mail as the user "mail"):
    /usr/bin/python3 bench/leave_vs_delete.py --driver BUILD/bench/provider_download_bench
"""

import argparse
import os
import poplib
import resource
import shutil
import subprocess
import sys
import tempfile

import download_vs_fetchmail as common


def empty(dovecot):
    pop = poplib.POP3("127.0.0.1", dovecot.port, timeout=60)
    pop.user(common.USER)
    pop.pass_(common.PASSWORD)
    n, _ = pop.stat()
    for i in range(1, n + 1):
        pop.dele(i)
    pop.quit()


def run_vesk(driver, port, data, leave):
    env = dict(os.environ, VESK_BENCH_LEAVE="1" if leave else "0")
    before = resource.getrusage(resource.RUSAGE_CHILDREN)
    result = subprocess.run([driver, "127.0.0.1", str(port), common.USER, common.PASSWORD, data, "0", "0"],
                            capture_output=True, text=True, timeout=3600, env=env)
    fields = dict(item.split("=", 1) for item in result.stdout.split())
    if result.returncode != 0 or fields.get("marker") != "ok":
        raise RuntimeError("Vesk download failed: " + result.stdout + result.stderr)
    after = resource.getrusage(resource.RUSAGE_CHILDREN)
    cpu = (after.ru_utime - before.ru_utime) + (after.ru_stime - before.ru_stime)
    return int(fields["messages"]), float(fields["seconds"]), cpu


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--driver", required=True, help="provider_download_bench from the build tree")
    parser.add_argument("--messages", type=int, default=1000)
    parser.add_argument("--rounds", type=int, default=3)
    args = parser.parse_args()
    if os.geteuid() != 0:
        sys.exit("run as root: Dovecot keeps the mail as the user 'mail'")

    base = tempfile.mkdtemp(prefix="vesk-bench-")
    os.chmod(base, 0o755)
    dovecot = common.Dovecot(base)
    dovecot.start()
    messages = common.small_messages(args.messages)
    rows = {"delete (baseline)": [], "leave, first check": [], "leave, nothing new": []}
    try:
        for _ in range(args.rounds):
            for leave in (False, True):
                empty(dovecot)
                dovecot.fill(messages)
                if dovecot.count() != len(messages):
                    raise RuntimeError("mailbox not as filled")
                data = tempfile.mkdtemp(dir=base, prefix="vesk-")
                n, seconds, cpu = run_vesk(args.driver, dovecot.port, data, leave)
                left = dovecot.count()
                if n != len(messages) or left != (len(messages) if leave else 0):
                    raise RuntimeError(f"fetched {n}, {left} left at the server")
                rows["leave, first check" if leave else "delete (baseline)"].append((n, seconds, cpu))
                if leave:
                    n, seconds, cpu = run_vesk(args.driver, dovecot.port, data, True)
                    if n != 0 or dovecot.count() != len(messages):
                        raise RuntimeError(f"second check fetched {n}")
                    rows["leave, nothing new"].append((len(messages), seconds, cpu))
                shutil.rmtree(data)
    finally:
        dovecot.stop()
        shutil.rmtree(base, ignore_errors=True)

    base_best = min(r[1] for r in rows["delete (baseline)"])
    print(f"{args.messages} small messages, best of {args.rounds} rounds (Vesk CPU: the driver process)")
    print(f"{'run':20} {'seconds':>9} {'ms/msg':>8} {'Vesk CPU':>9} {'vs baseline':>12}")
    for name, results in rows.items():
        n, seconds, cpu = min(results, key=lambda r: r[1])
        print(f"{name:20} {seconds:9.3f} {1000 * seconds / n:8.3f} {cpu:9.3f} {seconds / base_best:11.2f}x")


if __name__ == "__main__":
    main()
