#!/usr/bin/python3
"""Downloads the same mailbox from a private local Dovecot with Vesk's provider
session in plain text, with STLS and over POP3S, and reports time per message
and throughput of each, so that what encryption costs shows against the plain
download of the same run.

Run with Debian's python as root (Dovecot runs its mail as the user "mail"):
    /usr/bin/python3 bench/tls_vs_plain.py --driver BUILD/bench/provider_download_bench

Rounds: small messages and one-megabyte messages, each fetched without the
session's fixed pauses. The server's certificate comes from an authority made
for the run with openssl (ECDSA P-256); the TLS version and cipher are what
Dovecot and OpenSSL agree on (TLS 1.3 here).
"""

import argparse
import os
import resource
import shutil
import subprocess
import sys
import tempfile

import bench_dovecot
import download_vs_fetchmail as common


def make_certificates(folder):
    def openssl(*args):
        subprocess.run(["openssl", *args], cwd=folder, check=True, capture_output=True)
    key = ["-newkey", "ec", "-pkeyopt", "ec_paramgen_curve:prime256v1", "-nodes"]
    openssl("req", "-x509", *key, "-keyout", "ca.key", "-out", "ca.pem", "-days", "2", "-subj", "/CN=bench CA")
    openssl("req", *key, "-keyout", "server.key", "-out", "server.csr", "-subj", "/CN=localhost")
    with open(os.path.join(folder, "server.ext"), "w") as f:
        f.write("subjectAltName=IP:127.0.0.1\n")
    openssl("x509", "-req", "-in", "server.csr", "-CA", "ca.pem", "-CAkey", "ca.key", "-CAcreateserial",
            "-days", "2", "-extfile", "server.ext", "-out", "server.pem")
    return [os.path.join(folder, name) for name in ("ca.pem", "server.pem", "server.key")]


def run_vesk(driver, port, base, security, ca):
    data = tempfile.mkdtemp(dir=base, prefix="vesk-")
    before = resource.getrusage(resource.RUSAGE_CHILDREN)
    result = subprocess.run([driver, "127.0.0.1", str(port), common.USER, common.PASSWORD, data, "0", "0",
                             str(security), ca], capture_output=True, text=True, timeout=3600)
    fields = dict(item.split("=", 1) for item in result.stdout.split())
    if result.returncode != 0 or fields.get("marker") != "ok":
        raise RuntimeError("Vesk download failed: " + result.stdout + result.stderr)
    after = resource.getrusage(resource.RUSAGE_CHILDREN)
    cpu = (after.ru_utime - before.ru_utime) + (after.ru_stime - before.ru_stime)
    shutil.rmtree(data)
    return int(fields["messages"]), int(fields["bytes"]), float(fields["seconds"]), cpu


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--driver", required=True, help="provider_download_bench from the build tree")
    parser.add_argument("--small", type=int, default=1000)
    parser.add_argument("--large", type=int, default=20)
    parser.add_argument("--rounds", type=int, default=3, help="runs of each measurement")
    args = parser.parse_args()
    if os.geteuid() != 0:
        sys.exit("run as root: Dovecot keeps the mail as the user 'mail'")

    base = tempfile.mkdtemp(prefix="vesk-bench-")
    os.chmod(base, 0o755)
    ca, cert, key = make_certificates(base)
    dovecot = common.Dovecot(base)
    tls_port = bench_dovecot.free_port()
    bench_dovecot.write_config(dovecot.dir, dovecot.port, common.USER, common.PASSWORD, (cert, key, tls_port))
    dovecot.start()
    rows = []
    try:
        for label, messages in (("small", common.small_messages(args.small)),
                                ("1 MB", common.large_messages(args.large))):
            for _ in range(args.rounds):
                # Interleaved, so that a slower moment of the machine hits all three alike.
                for name, security, port in (("plain", 0, dovecot.port), ("STLS", 1, dovecot.port),
                                             ("POP3S", 2, tls_port)):
                    dovecot.fill(messages)
                    if dovecot.count() != len(messages):
                        raise RuntimeError("mailbox not as filled")
                    n, size, seconds, cpu = run_vesk(args.driver, port, base, security, ca)
                    if n != len(messages) or dovecot.count() != 0:
                        raise RuntimeError(f"{name}: fetched {n} of {len(messages)}")
                    rows.append((label, name, n, size, seconds, cpu))
    finally:
        dovecot.stop()
        shutil.rmtree(base, ignore_errors=True)

    # Vesk CPU: what the downloading process itself used (user + system),
    # its start-up included; the rest of the time is Dovecot's and the disk's.
    print(f"{'set':6} {'session':8} {'msgs':>5} {'MB':>8} {'seconds':>9} {'ms/msg':>8} {'MB/s':>8} {'Vesk CPU':>9}")
    for label, name, n, size, seconds, cpu in rows:
        mb = size / (1024 * 1024)
        print(f"{label:6} {name:8} {n:5d} {mb:8.2f} {seconds:9.3f} {1000 * seconds / n:8.2f} {mb / seconds:8.2f}"
              f" {cpu:9.3f}")
    print("best of the rounds, against plain:")
    for label in ("small", "1 MB"):
        best = {name: min(r[4] for r in rows if r[0] == label and r[1] == name)
                for name in ("plain", "STLS", "POP3S")}
        print(f"  {label:6} " + "  ".join(f"{name} {best[name]:.3f} s ({best[name] / best['plain']:.2f}x)"
                                          for name in best))


if __name__ == "__main__":
    main()
