#pragma once

#include <QString>

namespace vesk::nm {

// NetworkManager's numbers as the dial-up component's states and errors.
int dialState(uint activeState, uint deviceState);
int deviceError(uint deviceReason);
int activeError(uint activeReason);
// A point-to-point connection type (modem, mobile broadband, PPPoE).
bool pointToPoint(const QString &connectionType);

} // namespace vesk::nm
