"""What the benchmark scripts share: a free loopback port and the set-up of a
private Dovecot POP3 server (own folder, the Debian user "mail" owning the
mailbox, a plain-text password so that APOP works)."""
import grp
import os
import pwd
import socket


def free_port():
    with socket.socket() as s:
        s.bind(("127.0.0.1", 0))
        return s.getsockname()[1]


def mail_owner():
    mail = pwd.getpwnam("mail")
    return mail.pw_uid, mail.pw_gid


def write_config(d, port, user, password, tls=None):
    """Writes dovecot.conf and the passwd file into folder d. With tls =
    (certificate file, key file, port): POP3S on that port, STLS on the other."""
    uid, gid = mail_owner()
    ssl = "ssl = no"
    tls_port = 0
    if tls:
        cert, key, tls_port = tls
        ssl = f"ssl = yes\nssl_cert = <{cert}\nssl_key = <{key}\nssl_min_protocol = TLSv1.2"
    with open(os.path.join(d, "dovecot.conf"), "w") as f:
        f.write(f"""base_dir = {d}/run
state_dir = {d}/state
log_path = {d}/dovecot.log
listen = 127.0.0.1
protocols = pop3
{ssl}
disable_plaintext_auth = no
auth_mechanisms = plain apop
auth_failure_delay = 0
first_valid_uid = {uid}
first_valid_gid = {gid}
default_internal_user = dovecot
default_login_user = dovenull
mail_location = maildir:{d}/mail/%u
passdb {{
  driver = passwd-file
  args = scheme=PLAIN {d}/passwd
}}
userdb {{
  driver = static
  args = uid={uid} gid={gid} home={d}/mail/%u
}}
service pop3-login {{
  inet_listener pop3 {{
    port = {port}
  }}
  inet_listener pop3s {{
    port = {tls_port}
  }}
}}
service anvil {{
  unix_listener anvil-auth-penalty {{
    mode = 0
  }}
}}
""")
    passwd = os.path.join(d, "passwd")
    with open(passwd, "w") as f:
        f.write(f"{user}:{{PLAIN}}{password}\n")
    # The auth process runs as "dovecot" and must read it.
    os.chown(passwd, 0, grp.getgrnam("dovecot").gr_gid)
    os.chmod(passwd, 0o640)
