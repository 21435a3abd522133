#pragma once

#include "platform/Messenger.h"

#include <QMessageBox>
#include <QPointer>

namespace vesk {

// Message boxes with the program's fixed texts. A question is modal (the
// event loop runs on while it waits), and the one that is open can be
// answered as if its button were pressed: the send question answers itself
// after its countdown.
class GuiMessenger final : public Messenger
{
public:
    void message(const QString &text) override;
    void error(const QString &text) override;
    void beep() override;
    std::optional<Answer> ask(const QString &title, const QString &text, Buttons buttons) override;
    void answerOpenQuestion(Answer answer) override;

private:
    QPointer<QMessageBox> m_open;
};

} // namespace vesk
