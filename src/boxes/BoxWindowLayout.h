#pragma once

namespace vesk {

class SettingsStore;

// Where the box window stands and how its parts are divided, remembered
// under Disp: read when it opens, written when it hides. The defaults are
// the settings table's.
struct BoxWindowLayout
{
    int top {}; // DevideTop
    int left {}; // DevideLeft
    int width {}; // DevideWidth
    int columnA {}; // DevideSendA..C: widths of the columns 1 to 3
    int columnB {};
    int columnC {};
    int sendHeight {}; // DevidePnl1: the out-box list
    int upperHeight {}; // DevideUp
    int lowerHeight {}; // DevideLow
    int receive2Height {}; // DevidePnl4
    bool compact {}; // DevideMin
    bool buttonsBelow {}; // ButtonTop: distribution buttons under the basic ones
    bool withQuickView {}; // ChoimiOn (read only)

    static BoxWindowLayout read(SettingsStore &store);
    // The lower panel's values only with two mailers.
    void write(SettingsStore &store, bool twoMailers) const;
};

// The quick view's place, size and header pane, under Disp and Config.
struct QuickViewLayout
{
    int top {}; // ChoimiTop
    int left {}; // ChoimiLeft
    int width {}; // ChoimiWidth
    int height {}; // ChoimiHeight
    bool header {}; // ChoimiHead (Config)

    static QuickViewLayout read(SettingsStore &store);
    void write(SettingsStore &store) const;
};

} // namespace vesk
