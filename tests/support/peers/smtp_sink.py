#!/usr/bin/python3
"""A provider-side SMTP receiver for the tests: records every accepted message.

Each message becomes NNNN.json (envelope) and NNNN.eml (the DATA text after
dot-unstuffing) in the output folder. Prints "READY" once it listens and runs
until it is terminated.
"""
import argparse
import json
import os
import signal

from aiosmtpd.controller import Controller


class Recorder:
    def __init__(self, outdir, reject):
        self.outdir, self.reject, self.count = outdir, reject, 0

    async def handle_RCPT(self, server, session, envelope, address, rcpt_options):
        if self.reject and self.reject in address:
            return "550 5.1.1 recipient rejected"
        envelope.rcpt_tos.append(address)
        return "250 OK"

    async def handle_DATA(self, server, session, envelope):
        self.count += 1
        base = os.path.join(self.outdir, "%04d" % self.count)
        with open(base + ".eml.part", "wb") as f:
            f.write(envelope.original_content)
        with open(base + ".json.part", "w") as f:
            json.dump({"mail_from": envelope.mail_from, "rcpt_tos": envelope.rcpt_tos}, f)
        os.rename(base + ".eml.part", base + ".eml")
        os.rename(base + ".json.part", base + ".json")
        return "250 Message accepted for delivery"


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--port", type=int, required=True)
    parser.add_argument("--dir", required=True)
    parser.add_argument("--reject-rcpt", default="")
    args = parser.parse_args()
    stop = {signal.SIGTERM, signal.SIGINT}
    signal.pthread_sigmask(signal.SIG_BLOCK, stop)  # for sigwait, in every thread
    controller = Controller(Recorder(args.dir, args.reject_rcpt), hostname="127.0.0.1", port=args.port,
                            data_size_limit=64 * 1024 * 1024, server_kwargs={"enable_SMTPUTF8": True})
    controller.start()
    print("READY", flush=True)
    signal.sigwait(stop)
    controller.stop()


if __name__ == "__main__":
    main()
