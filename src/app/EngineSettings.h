#pragma once

#include "auth/ProviderTokens.h"
#include "server/ServerConfig.h"
#include "session/SessionConfig.h"

namespace vesk {

struct Settings;

// The loaded settings as the provider session and the local servers read
// them; the pauses and size limits keep their defaults.
SessionConfig sessionConfigFrom(const Settings &settings);
ServerConfig serverConfigFrom(const Settings &settings);
ProviderTokens::Config tokenConfigFrom(const Settings &settings);

} // namespace vesk
