#pragma once

#include <QString>

namespace vesk {

// How the core tells the user something: a message box with its fixed text and
// the standard beep. Windows show a real box; the headless run writes a line to
// standard error; tests record.
class Messenger
{
public:
    virtual ~Messenger() = default;
    virtual void message(const QString &text) = 0;
    virtual void beep() = 0;
};

// Writes each message as one line to standard error.
class StderrMessenger final : public Messenger
{
public:
    void message(const QString &text) override;
    void beep() override;
};

} // namespace vesk
