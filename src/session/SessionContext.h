#pragma once

namespace vesk {

class MailHost;
class MailView;
struct CoreServices;
struct SessionConfig;

// What a provider session works with, owned elsewhere.
struct SessionContext
{
    const CoreServices &core;
    const SessionConfig &config;
    MailHost &host;
    MailView &view;
};

} // namespace vesk
