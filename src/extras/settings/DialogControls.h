#pragma once

#include "settings/SettingsTable.h"

#include <QString>

#include <vector>

namespace vesk {

// A control of the settings dialog that edits one stored value as it is: a
// check box (a bool), an edit field (a string), a spin field or a choice
// list (an int within its range). The passwords, the check interval, the
// connection method, the colours, the fonts and the rules have handling of
// their own.
struct DialogControl
{
    const char *control; // the widget's name
    SettingEntry::Field field;
    int minimum = 0; // spin fields and choice lists only
    int maximum = 0;

    const SettingEntry &setting() const;
    // A spin field's value brought into its range.
    int bounded(int value) const;
};

namespace dialogcontrols {

// Every such control, page by page.
const std::vector<DialogControl> &all();
const DialogControl *find(QStringView control);

} // namespace dialogcontrols
} // namespace vesk
