#pragma once

namespace vesk {

class LocalActivity;
class MailHost;
class MailView;
class MailerEnds;
struct CoreServices;
struct ServerConfig;
struct ServerIdentity;

// Everything a local dialogue works with, owned elsewhere.
struct ServerEnvironment
{
    const CoreServices &core;
    const ServerConfig &config;
    const ServerIdentity &identity;
    MailHost &host;
    MailView &view;
    LocalActivity &activity;
    MailerEnds &ends;
};

} // namespace vesk
