#include "display/StripRules.h"

#include "display/DisplayState.h"

namespace vesk::strip {

LayoutChoice chooseLayout(const StripState &state, int mode)
{
    using M = DisplayState::Mode;
    using L = StripLayout;
    const auto pick = [mode](std::initializer_list<std::pair<int, L>> rows, bool widthOnMode6) -> LayoutChoice {
        for (const auto &[m, layout] : rows) {
            if (m == mode)
                return { layout, false };
        }
        if (widthOnMode6 && mode == M::LineUp)
            return { std::nullopt, true };
        return {};
    };
    // The first state that holds decides.
    if (state.planAlert)
        return pick({ { M::Normal, L::Plan }, { M::PlanAlert, L::Plan }, { M::MailOn, L::MailOn },
                        { M::DialPanel, L::DialUp } },
            true);
    if (state.dialPanelShown)
        return pick({ { M::Normal, L::DialUp }, { M::DialPanel, L::DialUp }, { M::MailOn, L::MailOn },
                        { M::Calendar, L::Calendar }, { M::PlanAlert, L::Plan } },
            false);
    if (state.animationRunning)
        return pick({ { M::Normal, L::MailOn }, { M::MailOn, L::MailOn }, { M::PlanAlert, L::Plan },
                        { M::DialPanel, L::DialUp } },
            true);
    if (state.calendarOpen)
        return pick({ { M::Normal, L::Calendar }, { M::Calendar, L::Calendar }, { M::MailOn, L::MailOn },
                        { M::DialPanel, L::DialUp } },
            true);
    return pick({ { M::Normal, L::Normal }, { M::MailOn, L::MailOn }, { M::DialPanel, L::DialUp } }, true);
}

OkButton okButton(const StripState &state)
{
    if (state.planAlert)
        return { QStringLiteral("Saw"), QStringLiteral("スケジュール表示を閉じます") };
    if (state.connected)
        return { QStringLiteral("OFF"), QStringLiteral("ダイアル回線を断線します") };
    return {};
}

bool visible(const StripState &state, StripLayout layout)
{
    if (!state.hiddenMode)
        return true;
    const bool moreThanTitle
        = layout == StripLayout::MailOn || layout == StripLayout::Calendar || layout == StripLayout::DialUp;
    return moreThanTitle || okButton(state).visible();
}

bool topmost(const StripState &state)
{
    return !(state.calBack && state.calendarOpen && !okButton(state).visible());
}

int centredLeft(int screenWidth, int stripWidth)
{
    return (screenWidth - stripWidth) / 2;
}

} // namespace vesk::strip
