#pragma once

#include <QString>

namespace vesk {

// The dial-up panel of the strip: its four fields, seen only while shown.
struct DialPanel
{
    bool shown = false;
    QString title;
    QString entry;
    QString detail;
    QString status;

    bool operator==(const DialPanel &) const = default;
};

} // namespace vesk
