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

    QStringList messages;
    int beeps = 0;
};

} // namespace vesk::test
