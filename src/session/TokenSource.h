#pragma once

#include <QString>

namespace vesk {

// Where the access token of an OAuth 2.0 login comes from (a command the
// user names, or the provider's token endpoint).
class TokenSource
{
public:
    virtual ~TokenSource() = default;
    // A token for the session about to start; empty, with the reason in
    // `error`, when none can be had. Runs the event loop while it waits.
    virtual QString accessToken(QString *error) = 0;
    // The server refused the last token: it is not handed out again. True
    // when a fresh one may be had at once, so that the session is worth
    // one more try.
    virtual bool rejected() = 0;
};

} // namespace vesk
