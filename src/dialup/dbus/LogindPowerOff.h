#pragma once

#include "dialup/PowerOff.h"

#include <QDBusConnection>
#include <QStringList>

#include <memory>

class QProcess;

namespace vesk {

class EventPump;

// Powers off through logind (org.freedesktop.login1 PowerOff), and where
// logind refuses or is not there, through `systemctl poweroff`.
class LogindPowerOff final : public PowerOff
{
public:
    explicit LogindPowerOff(EventPump &pump, const QDBusConnection &bus = QDBusConnection::systemBus(),
        QStringList fallback = { QStringLiteral("systemctl"), QStringLiteral("poweroff") });
    ~LogindPowerOff() override;

    bool powerOff(QString *reason) override;

private:
    bool throughLogind(QString *reason);
    bool throughCommand(QString *reason);

    EventPump &m_pump;
    QDBusConnection m_bus;
    QStringList m_fallback;
    std::unique_ptr<QProcess> m_process;
};

} // namespace vesk
