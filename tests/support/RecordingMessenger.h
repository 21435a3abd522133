#pragma once

#include "platform/Messenger.h"

#include <QStringList>

namespace vesk::test {

// Keeps every message the core would have shown.
class RecordingMessenger final : public Messenger
{
public:
    void message(const QString &text) override { messages << text; }
    void beep() override { ++beeps; }
    void error(const QString &text) override { errors << text; }
    // Records the question; the scripted answer, or none (left alone).
    std::optional<Answer> ask(const QString &title, const QString &text, Buttons buttons) override
    {
        Q_UNUSED(title);
        Q_UNUSED(buttons);
        questions << text;
        return answer;
    }

    QStringList messages;
    QStringList errors;
    QStringList questions;
    std::optional<Answer> answer;
    int beeps = 0;
};

} // namespace vesk::test
