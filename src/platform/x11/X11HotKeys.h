#pragma once

#include "platform/GlobalHotKeys.h"
#include "platform/x11/X11Types.h"

#include <QAbstractNativeEventFilter>
#include <QHash>

namespace vesk {

// Global hot keys as key grabs on the root window, with the Caps Lock and
// Num Lock variants grabbed too (else a lit lamp would switch them off).
// The pressed keys come as native events through Qt.
class X11HotKeys final : public GlobalHotKeys, public QAbstractNativeEventFilter
{
public:
    explicit X11HotKeys(Display *display);
    ~X11HotKeys() override;

    bool canAct() const override { return true; }
    QString grab(int id, int modifiers, int virtualKey) override;
    void release(int id) override;

    bool nativeEventFilter(const QByteArray &eventType, void *message, qintptr *result) override;

private:
    struct Grab
    {
        unsigned keyCode;
        unsigned modifiers;
    };
    QList<unsigned> lockVariants() const;
    void ungrab(const Grab &grab);

    Display *m_display;
    x11::XWindow m_root;
    QHash<int, Grab> m_grabs;
};

} // namespace vesk
