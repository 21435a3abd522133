#pragma once

namespace vesk {

// The four local listening servers, by the tag they have always carried.
enum class MailerPort : int {
    Pop3Mailer2 = 0, // srvPOP32
    Pop3Mailer1 = 1, // srvPOP3
    SmtpMailer1 = 2, // srvSMTP
    SmtpMailer2 = 3, // srvSMTP2
};

inline bool isPop3Port(MailerPort port)
{
    return port == MailerPort::Pop3Mailer1 || port == MailerPort::Pop3Mailer2;
}

inline bool isMailer2Port(MailerPort port)
{
    return port == MailerPort::Pop3Mailer2 || port == MailerPort::SmtpMailer2;
}

} // namespace vesk
