#!/usr/bin/python3
"""The whole program checking a private local Dovecot with the protocol monitor
open and closed: the time of `vesk --check` and the program's resident memory
after it. The baseline is the same check with the monitor closed.

Run with Debian's python as root (Dovecot runs its mail as the user "mail"),
with Xvfb and openbox installed:
    /usr/bin/python3 bench/monitor_check.py --vesk BUILD/src/vesk

Rounds: two 10 MB messages with the monitor closed and open (three times
each), then ten rounds of 10 MB (100 MB in all) with it closed and open,
memory after each.
"""

import argparse
import os
import shutil
import subprocess
import sys
import tempfile
import time

import bench_dovecot
from download_vs_fetchmail import Dovecot, USER, PASSWORD, large_messages


def resident_mb(pid):
    with open(f"/proc/{pid}/statm") as f:
        return int(f.read().split()[1]) * os.sysconf("SC_PAGE_SIZE") / (1024 * 1024)


class Vesk:
    def __init__(self, program, base, display, pop_port, monitor):
        self.program = program
        self.home = tempfile.mkdtemp(dir=base, prefix="home-")
        self.env = dict(os.environ, HOME=self.home, XDG_CONFIG_HOME=self.home + "/config",
                        XDG_DATA_HOME=self.home + "/data", XDG_RUNTIME_DIR=self.home + "/run",
                        DISPLAY=display, QT_QPA_PLATFORM="xcb")
        os.makedirs(self.home + "/config/Dorvane")
        os.makedirs(self.home + "/run", mode=0o700)
        with open(self.home + "/config/Dorvane/Vesk.ini", "w") as f:
            f.write(f"[Config]\nMailRound=1\nServerON=1\nRoundGo=0\nFirstDelay=3600\nHost=127.0.0.1\n"
                    f"UserID={USER}\nPassword={PASSWORD}\nPOP3_ServerVesk={pop_port}\n"
                    f"POP3_VeskMailer1={bench_dovecot.free_port()}\nSMTP_VeskMailer1={bench_dovecot.free_port()}\n"
                    f"DebugWindow={1 if monitor else 0}\nAutoDevideDisp=0\n")
        self.process = subprocess.Popen([program], env=self.env, stdout=subprocess.DEVNULL,
                                        stderr=subprocess.DEVNULL)
        time.sleep(3)

    def check(self):
        start = time.monotonic()
        subprocess.run([self.program, "--check"], env=self.env, stdout=subprocess.DEVNULL,
                       stderr=subprocess.DEVNULL)
        return time.monotonic() - start

    def quit(self):
        subprocess.run([self.program, "--quit"], env=self.env, stdout=subprocess.DEVNULL,
                       stderr=subprocess.DEVNULL)
        self.process.wait(timeout=30)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--vesk", required=True)
    args = parser.parse_args()
    base = tempfile.mkdtemp(prefix="vesk-monitor-")
    os.chmod(base, 0o755)
    xvfb = subprocess.Popen(["Xvfb", "-displayfd", "1", "-noreset", "-screen", "0", "1024x768x24",
                             "-nolisten", "tcp"], stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)
    display = ":" + xvfb.stdout.readline().decode().strip()
    wm = subprocess.Popen(["openbox"], env=dict(os.environ, DISPLAY=display),
                          stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    dovecot = Dovecot(base)
    dovecot.start()
    try:
        times = {}
        for monitor in (False, True):
            vesk = Vesk(args.vesk, base, display, dovecot.port, monitor)
            runs = []
            for _ in range(3):
                dovecot.fill(large_messages(2, 10 * 1024 * 1024))
                dovecot.count()
                runs.append(vesk.check())
            vesk.quit()
            times[monitor] = min(runs)
            print(f"2 x 10 MB, monitor {'open  ' if monitor else 'closed'}: "
                  + ", ".join(f"{t:.2f} s" for t in runs))
        print(f"open / closed: {times[True] / times[False]:.2f}")
        for monitor in (False, True):
            vesk = Vesk(args.vesk, base, display, dovecot.port, monitor)
            memory = [resident_mb(vesk.process.pid)]
            for _ in range(10):
                dovecot.fill(large_messages(1, 10 * 1024 * 1024))
                dovecot.count()
                vesk.check()
                memory.append(resident_mb(vesk.process.pid))
            vesk.quit()
            print(f"resident MB, monitor {'open  ' if monitor else 'closed'}, after each 10 MB: "
                  + ", ".join(f"{m:.0f}" for m in memory))
    finally:
        dovecot.stop()
        wm.terminate()
        xvfb.terminate()
        shutil.rmtree(base, ignore_errors=True)


if __name__ == "__main__":
    sys.exit(main())
