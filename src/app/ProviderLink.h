#pragma once

namespace vesk {

// What the controller needs of the provider session (download and send).
class ProviderLink
{
public:
    virtual ~ProviderLink() = default;
    // Runs one whole download session; returns when it has ended. The status
    // marker tells how it went.
    virtual void DownLoad() = 0;
    // Sends the out-box; false when the session failed.
    virtual bool MailSend() = 0;
    // New messages of the last download.
    virtual int newMailCount() const = 0;
    // A provider connection is open.
    virtual bool clientActive() const = 0;
    virtual void closeClient() = 0;
};

// What the controller needs of the local mail servers.
class LocalServerLink
{
public:
    virtual ~LocalServerLink() = default;
    // Start listening for mailer 1 (POP3 and SMTP) or mailer 2; false when a
    // port could not be opened (already reported).
    virtual bool startMailer1() = 0;
    virtual bool startMailer2() = 0;
    virtual void stopAll() = 0;
    // Drops the mailers' connections and turns new ones away while a
    // provider session runs, keeping the ports bound; reopen serves them
    // again (and tries once more a port that could not be opened).
    virtual void closeForSession() = 0;
    virtual void reopenAfterSession() = 0;
};

} // namespace vesk
