#pragma once

#include "platform/SyntheticInput.h"
#include "platform/x11/X11Types.h"

#include <QHash>
#include <QList>

#include <optional>

namespace vesk {

// The keyboard map as typing needs it: where a key symbol sits in the
// current group (its key code and level), the key codes that have nothing on
// them, and those spare codes lent to symbols the layout lacks.
class X11Keymap final
{
public:
    explicit X11Keymap(Display *display);
    ~X11Keymap();
    X11Keymap(const X11Keymap &) = delete;
    X11Keymap &operator=(const X11Keymap &) = delete;

    struct Place
    {
        unsigned keyCode = 0;
        int level = 0; // 0 plain, 1 with Shift
    };
    // At level 0 or 1 of the current group.
    std::optional<Place> find(x11::XKeySym keySym) const;
    CharKey lookUp(x11::XKeySym keySym) const;
    // A key code that gives the symbol at its first level: the layout's, or
    // a spare one lent to it. 0 when neither can be had.
    unsigned keyCodeFor(x11::XKeySym keySym);
    // Every key code that has the symbol anywhere (for the held test).
    QList<unsigned> keyCodesWith(x11::XKeySym keySym) const;
    // Lends spare codes to the symbols among these that the layout lacks,
    // all at once. True when the map changed.
    bool lend(const QList<x11::XKeySym> &keySyms);
    // Gives every lent code back.
    void restore();
    // Reads the map again before its next use (the layout may have changed).
    void refresh();

    // The key symbol that types a character.
    static x11::XKeySym keySymOfCharacter(char32_t character);

private:
    void load() const;
    void setCodes(const QList<std::pair<unsigned, x11::XKeySym>> &codes);

    Display *m_display;
    int m_minCode = 8;
    int m_maxCode = 255;
    // Reloaded whenever the group or the map may have changed.
    mutable QHash<x11::XKeySym, Place> m_places;
    mutable QHash<unsigned, std::pair<x11::XKeySym, x11::XKeySym>> m_levels;
    mutable QList<unsigned> m_spare;
    mutable int m_loadedGroup = -1;
    QHash<x11::XKeySym, unsigned> m_lent;
    QList<unsigned> m_lentOrder;
};

} // namespace vesk
