#pragma once

#include <QString>

#include <optional>

namespace vesk {

// What the access-point selector chose for the next dial: the entry to dial
// and the provider account to use over it.
struct AccessPointChoice
{
    QString title;
    QString ap;
    QString host;
    QString smtp;
    QString userId;
    QString password;
    bool apop = false;
};

// An optional selector of the user's, asked before each dial which access
// point and account to use (for someone who dials different providers).
class AccessPointSelector
{
public:
    virtual ~AccessPointSelector() = default;

    // Makes the selector ready (asked once, at start). False when there is none (`why` left
    // empty) or when the one there cannot be used (`why` says why).
    virtual bool open(QString *why) = 0;
    virtual bool isOpen() const = 0;
    // Nothing: the user gave up, and the dial with it.
    virtual std::optional<AccessPointChoice> choose() = 0;
};

} // namespace vesk
