#include "extras/settings/ControlDependencies.h"

namespace vesk::controldeps {

bool holds(Rule rule, const Switches &s)
{
    switch (rule) {
    case Rule::M:
        return s.M;
    case Rule::MR:
        return s.M && s.R;
    case Rule::MS:
        return s.M && s.S;
    case Rule::MSD:
        return s.M && s.S && s.D;
    case Rule::MSP:
        // The pause only exists with the local server, whose box holds it.
        return s.M && s.S && s.P;
    case Rule::MA:
        return s.M && s.smtpAuth;
    case Rule::ML:
        return s.M && s.leave;
    case Rule::MailWave:
        return s.mailWave;
    case Rule::PlanWave:
        return s.planWave;
    case Rule::DialUp:
        return s.dialUp;
    case Rule::TwoEntries:
        return s.dialEntries >= 2;
    }
    return true;
}

const std::vector<ControlRule> &rules()
{
    using enum Rule;
    using enum Effect;
    static const std::vector<ControlRule> table = {
        // The provider and everything that talks to it.
        { "edtHost", M, Enable },
        { "edtSMTP", M, Enable },
        { "edtUserID", M, Enable },
        { "edtPassword", M, Enable },
        { "speOverTime", M, Enable },
        { "ckbServerON", M, Enable },
        { "ckbApop", M, Enable },
        { "ckbDoublePass", M, Enable },
        { "btnPort", M, Enable },
        { "ckbRoundGo", M, Enable },
        { "btnMonitorOn", M, Enable },
        { "btnCheck", M, Enable },
        { "btnTestCancel", M, Enable },
        { "btnMonitorClear", M, Enable },
        { "btnMonitorClose", M, Enable },
        { "ckbMacroSend", M, Enable },
        { "ckbAutoOpen", M, Enable },
        { "ckbWithCheck", M, Enable },
        // Mail left at the provider.
        { "ckbLeaveOnServer", M, Enable },
        { "speLeaveDays", ML, Enable },
        { "lblLeaveDays", ML, Enable },
        { "ckbDeleteWithMailer", ML, Enable },
        // Encryption and the SMTP login.
        { "cmbPop3Security", M, Enable },
        { "spePop3Port", M, Enable },
        { "cmbSmtpSecurity", M, Enable },
        { "speSmtpPort", M, Enable },
        { "cmbSmtpAuth", M, Enable },
        { "edtSmtpUserID", MA, Enable },
        { "edtSmtpPassword", MA, Enable },
        { "ckbSmtpAuthPlain", MA, Enable },
        { "cmbPop3Auth", M, Enable },
        { "edtTokenCommand", M, Enable },
        { "cmbOAuthPreset", M, Enable },
        { "edtOAuthClientID", M, Enable },
        { "edtOAuthClientSecret", M, Enable },
        { "btnSignIn", M, Enable },
        // The check interval.
        { "edtRoundTime", MR, Write },
        { "btnRoundUp", MR, Enable },
        { "btnRoundDown", MR, Enable },
        // What only the local server does.
        { "ckbAutoDevideDisp", MS, Enable },
        { "ckbDevideON", MS, Enable },
        { "ckbManuSend", MS, Enable },
        { "ckbChoimi", MS, Enable },
        { "speGyou", MS, Enable },
        { "lblGyou", MS, Enable },
        { "ckbDirectCheck", MS, Enable },
        { "ckbSendPause", MS, Enable },
        { "spbChmFont", MS, Enable },
        { "spbChmFontColor", MS, Enable },
        // The second mailer.
        { "tabMailer2", MSD, Show },
        { "tabRules", MSD, Show },
        { "grpMailer2", MSD, Show },
        { "speSendPauseTime", MSP, Enable },
        // The sound files with their buttons.
        { "edtMailWave", MailWave, Show },
        { "btnMailWaveBrowse", MailWave, Show },
        { "btnMailWaveTest", MailWave, Show },
        { "edtPlanWave", PlanWave, Show },
        { "btnPlanWaveBrowse", PlanWave, Show },
        { "btnPlanWaveTest", PlanWave, Show },
        // Dial-up.
        { "pnlDial", DialUp, Show },
        { "ckbDefNoncheck", TwoEntries, Enable },
    };
    return table;
}

bool usable(QStringView control, const Switches &switches)
{
    for (const ControlRule &rule : rules()) {
        if (control == QLatin1StringView(rule.control))
            return holds(rule.rule, switches);
    }
    return true;
}

} // namespace vesk::controldeps
