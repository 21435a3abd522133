#pragma once

#include "platform/XSettings.h"

#include <optional>

namespace vesk {

// The settings of the XSETTINGS manager of Qt's X screen; nothing when Qt
// does not run on X or no manager runs (a bare X server).
std::optional<XSettings> readX11Settings();

} // namespace vesk
