#pragma once

#include <QString>

#include <functional>

namespace vesk {

// The one entry through which protocol lines reach the monitor. Lines the
// program sends begin with "<"; the provider password never appears in clear,
// nor does the initial response of an AUTH command.
class ProtocolMonitor final
{
public:
    using Sink = std::function<void(const QString &line)>;

    // Attaching a sink opens the monitor; an empty sink closes it.
    void attach(Sink sink) { m_sink = std::move(sink); }
    bool isOpen() const { return bool(m_sink); }
    void setPassword(const QString &password) { m_password = password; }

    // Masks the password, strips trailing blanks and line breaks, and hands the
    // text on; does nothing while the monitor is closed.
    void debug(const QString &text) const;

    // The text as it would be shown.
    static QString masked(const QString &text, const QString &password);

private:
    Sink m_sink;
    QString m_password;
};

} // namespace vesk
