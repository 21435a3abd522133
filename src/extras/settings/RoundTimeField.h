#pragma once

#include <QString>

namespace vesk {

class Messenger;

// The check interval field of the settings dialog (minutes), with its up and
// down buttons: steps of 5, and never a text that means 0.
class RoundTimeField final
{
public:
    static constexpr int Step = 5;
    static constexpr int Least = 5;
    // What the up button starts from, and what a text that is no number saves as.
    static constexpr int Fallback = 20;

    explicit RoundTimeField(Messenger &messenger);

    const QString &text() const { return m_text; }
    // The field's text changed: a text whose number is 0 (empty, or no number
    // at all) becomes "5", with a beep.
    void setText(const QString &text);
    // Up: 5 more (20 when the text is no number).
    void up();
    // Down: 5 less while that leaves at least 5; otherwise "5" with a beep.
    void down();
    // What is saved: the number, 20 when there is none, and at least 5.
    int minutes() const;

private:
    // The text's number; 0 when it is none.
    int number() const;

    Messenger &m_messenger;
    QString m_text = QString::number(Fallback);
};

} // namespace vesk
