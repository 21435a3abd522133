#!/usr/bin/python3
"""A provider's OAuth 2.0 authorization server for the tests, on 127.0.0.1.

/authorize  redirects at once to the client's loopback redirect with a code
            (the user "signs in" without a page); code_challenge S256 required
/token      authorization_code (checks the PKCE verifier) and refresh_token
            grants; every access token lives --expires seconds
/introspect RFC 7662, as Dovecot and the SMTP sink ask: active and username
/revoke     POST token=...: that access token is no longer active

Prints "PORT <n>" once it listens. Every request is appended to log.jsonl
in --dir (path, grant, without secrets).
"""
import argparse
import base64
import hashlib
import json
import os
import secrets
import threading
import time
import urllib.parse
from http.server import BaseHTTPRequestHandler, ThreadingHTTPServer


class State:
    def __init__(self, args):
        self.args = args
        self.lock = threading.Lock()
        self.codes = {}  # code -> (challenge, client_id, redirect_uri)
        self.refresh = set()
        self.access = {}  # token -> expiry
        if args.refresh_token:
            self.refresh.add(args.refresh_token)

    def issue(self):
        token = "at-" + secrets.token_urlsafe(max(8, self.args.token_length - 3))[: self.args.token_length - 3]
        refresh = "rt-" + secrets.token_urlsafe(16)
        self.access[token] = time.time() + self.args.expires
        self.refresh.add(refresh)
        return {"access_token": token, "token_type": "Bearer", "expires_in": self.args.expires,
                "refresh_token": refresh}


class Handler(BaseHTTPRequestHandler):
    def log_message(self, *args):
        pass

    def reply(self, status, body, headers=()):
        data = json.dumps(body).encode() if body is not None else b""
        self.send_response(status)
        for name, value in headers:
            self.send_header(name, value)
        self.send_header("Content-Type", "application/json")
        self.send_header("Content-Length", str(len(data)))
        self.end_headers()
        self.wfile.write(data)

    def record(self, entry):
        with open(os.path.join(self.server.state.args.dir, "log.jsonl"), "a") as f:
            f.write(json.dumps(entry) + "\n")

    def do_GET(self):
        url = urllib.parse.urlparse(self.path)
        query = dict(urllib.parse.parse_qsl(url.query))
        state = self.server.state
        if url.path != "/authorize":
            return self.reply(404, None)
        self.record({"path": "/authorize", "method": query.get("code_challenge_method"),
                     "scope": query.get("scope")})
        if query.get("code_challenge_method") != "S256" or not query.get("code_challenge"):
            return self.reply(400, {"error": "invalid_request"})
        code = "c/" + secrets.token_urlsafe(12)  # a "/" as Google's codes have
        with state.lock:
            state.codes[code] = (query["code_challenge"], query.get("client_id"), query.get("redirect_uri"))
        target = query["redirect_uri"] + "?" + urllib.parse.urlencode({"code": code, "state": query.get("state", "")})
        self.reply(302, None, [("Location", target)])

    def do_POST(self):
        url = urllib.parse.urlparse(self.path)
        length = int(self.headers.get("Content-Length", "0"))
        form = dict(urllib.parse.parse_qsl(self.rfile.read(length).decode()))
        state = self.server.state
        with state.lock:
            if url.path == "/token":
                grant = form.get("grant_type")
                self.record({"path": "/token", "grant": grant})
                if grant == "authorization_code":
                    entry = state.codes.pop(form.get("code"), None)
                    verifier = form.get("code_verifier", "").encode()
                    challenge = base64.urlsafe_b64encode(hashlib.sha256(verifier).digest()).rstrip(b"=").decode()
                    if not entry or entry[0] != challenge or entry[1] != form.get("client_id"):
                        return self.reply(400, {"error": "invalid_grant"})
                    return self.reply(200, state.issue())
                if grant == "refresh_token" and form.get("refresh_token") in state.refresh:
                    return self.reply(200, state.issue())
                return self.reply(400, {"error": "invalid_grant", "error_description": "unknown refresh token"})
            if url.path == "/introspect":
                expiry = state.access.get(form.get("token"), 0)
                active = expiry > time.time()
                self.record({"path": "/introspect", "active": active})
                body = {"active": True, "username": state.args.user} if active else {"active": False}
                return self.reply(200, body)
            if url.path == "/revoke":
                state.access.pop(form.get("token"), None)
                return self.reply(200, {})
        self.reply(404, None)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--dir", required=True)
    parser.add_argument("--user", default="taro")
    parser.add_argument("--expires", type=int, default=3600)
    parser.add_argument("--token-length", type=int, default=40)
    parser.add_argument("--refresh-token", default="")
    args = parser.parse_args()
    server = ThreadingHTTPServer(("127.0.0.1", 0), Handler)
    server.state = State(args)
    print("PORT %d" % server.server_address[1], flush=True)
    server.serve_forever()


if __name__ == "__main__":
    main()
