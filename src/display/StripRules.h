#pragma once

#include <QString>

#include <optional>

namespace vesk {

// What the strip shows below its title bar, chosen by DispSet.
enum class StripLayout {
    Normal, // the title bar only
    Plan, // the title bar only, for a plan alert
    MailOn, // the title bar and the new-mail animation
    Calendar, // the title bar and the calendar
    DialUp, // the title bar and the dial-up panel
};

// The states that decide the layout, the OK button and the strip's visibility.
struct StripState
{
    bool planAlert = false;
    bool dialPanelShown = false;
    bool animationRunning = false;
    bool calendarOpen = false;
    bool connected = false;
    bool calBack = false; // the calendar goes behind other windows
    bool hiddenMode = false; // none of the display flags is on
};

// The OK button: hidden, "Saw" (a plan alert) or "OFF" (the line is up).
struct OkButton
{
    QString text; // empty: hidden
    QString hint;
    bool visible() const { return !text.isEmpty(); }
};

namespace strip {

// The layout for a display mode. Nothing when the mode only adjusts the
// width (mode 6 in most states) or keeps the current layout.
struct LayoutChoice
{
    std::optional<StripLayout> layout;
    bool widthOnly = false;
};
LayoutChoice chooseLayout(const StripState &state, int mode);

OkButton okButton(const StripState &state);

// Whether the strip is shown with this layout: in hidden mode only while it
// carries more than the title bar or the OK button shows.
bool visible(const StripState &state, StripLayout layout);

// Always on top, except with the calendar behind and no OK command showing.
bool topmost(const StripState &state);

// Position mode 2: the left edge that centres the strip, halved toward zero.
int centredLeft(int screenWidth, int stripWidth);

} // namespace strip
} // namespace vesk
