#pragma once

namespace vesk {

class Messenger;

// One editor dialog at a time, whichever feature opens it (the settings
// dialog, the plan editor, the launcher editor): a second request beeps. The
// minute tick's start-up pass also waits while one is open.
class EditorGate
{
public:
    explicit EditorGate(Messenger &messenger)
        : m_messenger(messenger)
    { }

    // True, with a beep, while an editor is open: the request is refused.
    bool refuse() const;
    bool isOpen() const { return m_open; }
    void setOpen(bool open) { m_open = open; }

private:
    Messenger &m_messenger;
    bool m_open = false;
};

} // namespace vesk
