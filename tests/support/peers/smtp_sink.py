#!/usr/bin/python3
"""A provider-side SMTP receiver for the tests: records every accepted message.

Each message becomes NNNN.json (envelope) and NNNN.eml (the DATA text after
dot-unstuffing) in the output folder. Prints "READY" once it listens and runs
until it is terminated.

With --tls-cert/--tls-key it offers STARTTLS (--tls starttls) or speaks TLS
from the first byte (--tls smtps). With --auth-user/--auth-password it takes
AUTH PLAIN, LOGIN and CRAM-MD5 and refuses mail without it; every login
attempt is appended to auth.jsonl (mechanism, login, over TLS, accepted).
"""
import argparse
import hmac
import json
import os
import signal
import ssl
import time

from aiosmtpd.controller import Controller
from aiosmtpd.smtp import SMTP, AuthResult, LoginPassword, auth_mechanism


class Recorder:
    def __init__(self, outdir, reject, user=None, password=None):
        self.outdir = outdir
        self.reject = reject
        self.count = 0
        self.user = user.encode() if user else None
        self.password = password.encode() if password else None

    def record_auth(self, server, mechanism, login, success):
        entry = {"mechanism": mechanism, "login": login.decode(errors="replace"),
                 "tls": server.transport.get_extra_info("ssl_object") is not None,
                 "success": success}
        with open(os.path.join(self.outdir, "auth.jsonl"), "a") as f:
            f.write(json.dumps(entry) + "\n")

    def authenticate(self, server, session, envelope, mechanism, auth_data):
        ok = (isinstance(auth_data, LoginPassword) and auth_data.login == self.user
              and auth_data.password == self.password)
        self.record_auth(server, mechanism, auth_data.login, ok)
        return AuthResult(success=ok, handled=False)

    @auth_mechanism("CRAM-MD5")
    async def auth_CRAM_MD5(self, server, args):
        # RFC 2195; aiosmtpd has no CRAM-MD5 of its own.
        challenge = ("<%d.%d@vesk.test>" % (os.getpid(), time.monotonic_ns())).encode()
        response = await server.challenge_auth(challenge)
        if not isinstance(response, bytes):
            return AuthResult(success=False, handled=True)
        login, _, digest = response.partition(b" ")
        expected = hmac.new(self.password, challenge, "md5").hexdigest().encode()
        ok = login == self.user and hmac.compare_digest(digest, expected)
        self.record_auth(server, "CRAM-MD5", login, ok)
        return AuthResult(success=ok, handled=False)

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
    parser.add_argument("--tls", choices=["none", "starttls", "smtps"], default="none")
    parser.add_argument("--tls-cert")
    parser.add_argument("--tls-key")
    parser.add_argument("--auth-user")
    parser.add_argument("--auth-password")
    args = parser.parse_args()
    stop = {signal.SIGTERM, signal.SIGINT}
    signal.pthread_sigmask(signal.SIG_BLOCK, stop)  # for sigwait, in every thread

    handler = Recorder(args.dir, args.reject_rcpt, args.auth_user, args.auth_password)
    server_kwargs = {"enable_SMTPUTF8": True}
    context = None
    if args.tls != "none":
        context = ssl.SSLContext(ssl.PROTOCOL_TLS_SERVER)
        context.load_cert_chain(args.tls_cert, args.tls_key)
    if args.tls == "starttls":
        server_kwargs["tls_context"] = context
    if args.auth_user:
        server_kwargs["authenticator"] = handler.authenticate
        server_kwargs["auth_required"] = True
        # Over SMTPS aiosmtpd does not see the TLS of its own listener.
        server_kwargs["auth_require_tls"] = args.tls == "starttls"
    else:
        del Recorder.auth_CRAM_MD5
    controller = Controller(handler, hostname="127.0.0.1", port=args.port,
                            data_size_limit=64 * 1024 * 1024,
                            ssl_context=context if args.tls == "smtps" else None,
                            server_kwargs=server_kwargs)
    controller.start()
    print("READY", flush=True)
    signal.sigwait(stop)
    controller.stop()


if __name__ == "__main__":
    main()
