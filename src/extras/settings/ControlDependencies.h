#pragma once

#include <QString>

#include <vector>

namespace vesk {

// Which controls of the settings dialog are usable, from the state of the
// boxes that switch them: M mail checking, S the local server function,
// D two mailers, R periodic checking, P the send pause, the two sound boxes,
// the connection method, the dial-up entries listed, the SMTP login and
// leaving mail at the provider.
namespace controldeps {

struct Switches
{
    bool M = false;
    bool S = false;
    bool D = false;
    bool R = false;
    bool P = false;
    bool mailWave = false;
    bool planWave = false;
    bool dialUp = false;
    int dialEntries = 0;
    bool smtpAuth = false;
    bool leave = false;
};

enum class Rule {
    M, // mail checking
    MR, // ... with periodic checking
    MS, // ... with the local server function
    MSD, // ... and two mailers
    MSP, // ... and the send pause
    MA, // ... with an SMTP login
    ML, // ... leaving mail at the provider
    MailWave, // the mail sound box
    PlanWave, // the plan sound box
    DialUp, // dial-up chosen
    TwoEntries, // at least two dial-up entries to tell apart
};

// What a rule does to its control: enables it, shows it, or lets it be
// typed into (read-only otherwise).
enum class Effect { Enable, Show, Write };

struct ControlRule
{
    const char *control; // a widget's or a page's name
    Rule rule;
    Effect effect;
};

bool holds(Rule rule, const Switches &switches);

// Every dependent control with its rule.
const std::vector<ControlRule> &rules();

// The rule's verdict for a named control; true for a control without one.
bool usable(QStringView control, const Switches &switches);

} // namespace controldeps
} // namespace vesk
