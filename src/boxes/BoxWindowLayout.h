#pragma once

namespace vesk {

class SettingsStore;

// Where the box window stands and how its parts are divided, remembered
// under Disp: read when it opens, written when it hides.
struct BoxWindowLayout
{
    int top = 0; // DevideTop
    int left = 0; // DevideLeft
    int width = 580; // DevideWidth
    int columnA = 200; // DevideSendA..C: widths of the columns 1 to 3
    int columnB = 100;
    int columnC = 20;
    int sendHeight = 100; // DevidePnl1: the out-box list
    int upperHeight = 200; // DevideUp
    int lowerHeight = 200; // DevideLow
    int receive2Height = 100; // DevidePnl4
    bool compact = false; // DevideMin
    bool buttonsBelow = true; // ButtonTop: distribution buttons under the basic ones
    bool withQuickView = false; // ChoimiOn (read only)

    static BoxWindowLayout read(SettingsStore &store);
    // The lower panel's values only with two mailers.
    void write(SettingsStore &store, bool twoMailers) const;
};

// The quick view's place, size and header pane, under Disp and Config.
struct QuickViewLayout
{
    int top = 0; // ChoimiTop
    int left = 0; // ChoimiLeft
    int width = 550; // ChoimiWidth
    int height = 200; // ChoimiHeight
    bool header = true; // ChoimiHead (Config)

    static QuickViewLayout read(SettingsStore &store);
    void write(SettingsStore &store) const;
};

} // namespace vesk
