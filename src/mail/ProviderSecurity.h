#pragma once

namespace vesk {

// How a provider server's connection is protected. The values are the
// settings' (POP3_Security, SMTP_Security).
enum class Security : int {
    // A stored value outside this table: no connection is made, since
    // reading it as any of them could send the password in clear.
    Invalid = -1,
    // Plain text, as mail programs of old spoke.
    None = 0,
    // Plain connect, then STLS (POP3) or STARTTLS (SMTP); a server that does
    // not offer it is refused.
    StartTls = 1,
    // TLS from the first byte (POP3S, SMTPS).
    Tls = 2,
};

// How the SMTP session logs in. The values are the setting SMTP_Auth's.
enum class SmtpAuth : int {
    Invalid = -1, // a stored value outside this table: nothing is sent
    None = 0,
    // The best the server offers: PLAIN or LOGIN where they may be used,
    // else CRAM-MD5.
    Automatic = 1,
    Plain = 2,
    Login = 3,
    CramMd5 = 4,
    // OAuth 2.0 access tokens (RFC 7628 and Google's older form).
    XOAuth2 = 5,
    OAuthBearer = 6,
};

// How the POP3 session logs in. The values are the setting POP3_Auth's.
enum class PopAuth : int {
    Invalid = -1, // a stored value outside this table: nothing is sent
    // USER/PASS, or APOP where Apop is set.
    Password = 0,
    XOAuth2 = 1,
    OAuthBearer = 2,
};

// The port a provider server listens on by default for `security`.
inline int defaultPop3Port(Security security)
{
    return security == Security::Tls ? 995 : 110;
}
inline int defaultSmtpPort(Security security)
{
    return security == Security::Tls ? 465 : security == Security::StartTls ? 587 : 25;
}

// A stored number as one of the values; anything else is Invalid.
inline Security securityFrom(int value)
{
    return value >= 0 && value <= 2 ? Security(value) : Security::Invalid;
}
inline SmtpAuth smtpAuthFrom(int value)
{
    return value >= 0 && value <= 6 ? SmtpAuth(value) : SmtpAuth::Invalid;
}
inline PopAuth popAuthFrom(int value)
{
    return value >= 0 && value <= 2 ? PopAuth(value) : PopAuth::Invalid;
}

} // namespace vesk
