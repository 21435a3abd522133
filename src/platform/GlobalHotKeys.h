#pragma once

#include <QString>

#include <functional>

namespace vesk {

// Key combinations that reach this program whatever window has the focus.
class GlobalHotKeys
{
public:
    // Modifier bits, as the launcher's hot-key identifiers add them up.
    enum Modifier { Alt = 1, Ctrl = 2, Shift = 4 };

    virtual ~GlobalHotKeys() = default;
    // False where the desktop has no global key grabs (Wayland).
    virtual bool canAct() const = 0;
    // Takes the combination of `modifiers` and a virtual-key code under
    // `id`. Empty when done, otherwise why not (taken by another program).
    virtual QString grab(int id, int modifiers, int virtualKey) = 0;
    virtual void release(int id) = 0;

    // Called with the id of a combination that was pressed.
    void setHandler(std::function<void(int id)> handler) { m_handler = std::move(handler); }

protected:
    void pressed(int id) const
    {
        if (m_handler)
            m_handler(id);
    }

private:
    std::function<void(int)> m_handler;
};

// Where global keys cannot be had.
class NoGlobalHotKeys final : public GlobalHotKeys
{
public:
    bool canAct() const override { return false; }
    QString grab(int id, int modifiers, int virtualKey) override;
    void release(int) override { }
};

} // namespace vesk
