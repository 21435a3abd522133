#pragma once

#include <QStringList>

namespace vesk {

// The platform's dial-up connection entries, as the settings dialog lists
// them for choosing an access point.
class DialUpEntries
{
public:
    virtual ~DialUpEntries() = default;

    // Dial-up connections can be made on this machine at all.
    virtual bool available() const = 0;
    // The names of the dial-up entries, in the platform's order.
    virtual QStringList names() const = 0;

    // What is said where dial-up connections cannot be made.
    static inline const QString MissingServiceText = QStringLiteral(
        "NetworkManager がシステムバスに見つかりません。\r\nダイアル・アップ接続はできません。");
};

} // namespace vesk
