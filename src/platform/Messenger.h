#pragma once

#include <QString>

#include <optional>

namespace vesk {

// How the core tells the user something: a message box with its fixed text and
// the standard beep. Windows show a real box; the headless run writes a line to
// standard error; tests record.
class Messenger
{
public:
    enum class Answer { Ok, Cancel, Yes, No };
    enum class Buttons { OkCancel, YesNo };

    virtual ~Messenger() = default;
    virtual void message(const QString &text) = 0;
    virtual void beep() = 0;
    // A fault the user has to act on: a box with the error icon.
    virtual void error(const QString &text) { message(text); }

    // Asks a question and waits for the answer. Without anyone to ask (the
    // headless run) there is no answer, and the caller takes the one the
    // question gets when it is left alone.
    virtual std::optional<Answer> ask(const QString &title, const QString &text, Buttons buttons)
    {
        Q_UNUSED(title);
        Q_UNUSED(text);
        Q_UNUSED(buttons);
        return std::nullopt;
    }
    // Answers the open question as if its button had been pressed (the
    // automatic answer of a question that was left alone long enough).
    virtual void answerOpenQuestion(Answer answer) { Q_UNUSED(answer); }
};

// Writes each message as one line to standard error.
class StderrMessenger final : public Messenger
{
public:
    void message(const QString &text) override;
    void beep() override;
    std::optional<Answer> ask(const QString &title, const QString &text, Buttons buttons) override;
};

} // namespace vesk
