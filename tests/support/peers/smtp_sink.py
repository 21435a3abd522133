#!/usr/bin/python3
"""A provider-side SMTP receiver for the tests: records every accepted message.

Each message becomes NNNN.json (envelope) and NNNN.eml (the DATA text after
dot-unstuffing) in the output folder. Prints "READY" once it listens and runs
until it is terminated.

With --tls-cert/--tls-key it offers STARTTLS (--tls starttls) or speaks TLS
from the first byte (--tls smtps). With --auth-user/--auth-password it takes
AUTH PLAIN, LOGIN and CRAM-MD5 and refuses mail without it; every login
attempt is appended to auth.jsonl (mechanism, login, over TLS, accepted).
With --introspect URL it takes XOAUTH2 and OAUTHBEARER instead, asking that
token endpoint (RFC 7662) whether a token is active, and answers a refused
one with the JSON status challenge as the large providers do.
"""
import base64
import argparse
import hmac
import json
import os
import signal
import ssl
import time
import urllib.parse
import urllib.request

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

    async def bearer(self, server, args, mechanism):
        if len(args) > 1:
            response = base64.b64decode(args[1], validate=True)
        else:
            response = await server.challenge_auth(b"")
            if not isinstance(response, bytes):
                return AuthResult(success=False, handled=True)
        if mechanism == "XOAUTH2":
            fields = dict(f.split(b"=", 1) for f in response.split(b"\x01") if b"=" in f)
            user = fields.get(b"user", b"")
        else:
            header, _, rest = response.partition(b"\x01")
            user = next((p[2:] for p in header.split(b",") if p.startswith(b"a=")), b"")
            fields = dict(f.split(b"=", 1) for f in rest.split(b"\x01") if b"=" in f)
        token = fields.get(b"auth", b"").removeprefix(b"Bearer ")
        data = urllib.parse.urlencode({"token": token.decode()}).encode()
        with urllib.request.urlopen(self.introspect, data, timeout=10) as answer:
            status = json.load(answer)
        ok = status.get("active") is True and status.get("username", "").encode() == user
        self.record_auth(server, mechanism, user, ok)
        if ok:
            return AuthResult(success=True, handled=False)
        error = {"status": "401", "schemes": "bearer", "scope": "https://mail.example/"}
        if mechanism == "OAUTHBEARER":
            error = {"status": "invalid_token"}
        answer = await server.challenge_auth(json.dumps(error).encode())
        self.record_auth(server, mechanism + "-answer", answer if isinstance(answer, bytes) else b"*", False)
        return AuthResult(success=False, handled=False)

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


class LongLineSMTP(SMTP):
    # RFC 4954 lets an AUTH exchange use lines of 12,288 octets; aiosmtpd's
    # own limits are 512 for the command and 1001 for what follows.
    line_length_limit = 16384

    def __init__(self, *args, **kwargs):
        super().__init__(*args, **kwargs)
        self.command_size_limits["AUTH"] = 12288


class TokenController(Controller):
    def factory(self):
        return LongLineSMTP(self.handler, **self.SMTP_kwargs)


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
    parser.add_argument("--introspect")
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
    handler.introspect = args.introspect
    if args.introspect:
        async def xoauth2(self, server, args):
            return await self.bearer(server, args, "XOAUTH2")

        async def oauthbearer(self, server, args):
            return await self.bearer(server, args, "OAUTHBEARER")
        Recorder.auth_XOAUTH2 = auth_mechanism("XOAUTH2")(xoauth2)
        Recorder.auth_OAUTHBEARER = auth_mechanism("OAUTHBEARER")(oauthbearer)
        server_kwargs["auth_required"] = True
        server_kwargs["auth_require_tls"] = args.tls == "starttls"
        server_kwargs["auth_exclude_mechanism"] = ["LOGIN", "PLAIN"]
    if args.auth_user:
        server_kwargs["authenticator"] = handler.authenticate
        server_kwargs["auth_required"] = True
        # Over SMTPS aiosmtpd does not see the TLS of its own listener.
        server_kwargs["auth_require_tls"] = args.tls == "starttls"
    else:
        del Recorder.auth_CRAM_MD5
    controller = TokenController if args.introspect else Controller
    controller = controller(handler, hostname="127.0.0.1", port=args.port,
                            data_size_limit=64 * 1024 * 1024,
                            ssl_context=context if args.tls == "smtps" else None,
                            server_kwargs=server_kwargs)
    controller.start()
    print("READY", flush=True)
    signal.sigwait(stop)
    controller.stop()


if __name__ == "__main__":
    main()
