#pragma once

#include <QString>

#include <functional>

namespace vesk {

// The status marker: "." a provider session or a mailer's dialogue runs,
// "x" the last one failed, empty it ended well, " " or "  " idle, "*" busy.
// It is the hand-over between a waiting loop and the event handlers, and what
// the strip's marker label shows, so every change is reported.
class StatusMarker final
{
public:
    StatusMarker &operator=(const QString &text)
    {
        set(text);
        return *this;
    }
    void clear() { set(QString()); }

    const QString &text() const { return m_text; }
    operator const QString &() const { return m_text; }
    bool isEmpty() const { return m_text.isEmpty(); }
    QString trimmed() const { return m_text.trimmed(); }
    bool operator==(QLatin1String text) const { return m_text == text; }
    bool operator==(const QString &text) const { return m_text == text; }

    // Called after each change with the new text.
    void setObserver(std::function<void(const QString &)> observer) { m_observer = std::move(observer); }

private:
    void set(const QString &text);

    QString m_text;
    std::function<void(const QString &)> m_observer;
};

} // namespace vesk
