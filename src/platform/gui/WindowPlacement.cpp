#include "platform/gui/WindowPlacement.h"

#include "platform/WindowPlace.h"

#include <QApplication>
#include <QPointer>
#include <QScreen>
#include <QStyle>
#include <QWidget>
#include <QWindow>

namespace vesk::windowplace {
namespace {

QPointer<const QWidget> &stripWidget()
{
    static QPointer<const QWidget> strip;
    return strip;
}

int titleHeightOf(const QWidget *window)
{
    // Known once the window manager has framed the window; before, a guess
    // from the style that errs on the large side.
    if (const QWindow *handle = window->windowHandle()) {
        const int top = handle->frameMargins().top();
        if (top > 0)
            return top;
    }
    return std::max(window->style()->pixelMetric(QStyle::PM_TitleBarHeight), 24) + 6;
}

} // namespace

void setStrip(const QWidget *strip)
{
    stripWidget() = strip;
}

void restore(QWidget *window, QPoint saved)
{
    DeskLayout desk;
    if (const QScreen *primary = QGuiApplication::primaryScreen())
        desk.workAreas << primary->availableGeometry();
    for (const QScreen *screen : QGuiApplication::screens()) {
        if (screen != QGuiApplication::primaryScreen())
            desk.workAreas << screen->availableGeometry();
    }
    const QWidget *strip = stripWidget();
    if (strip && strip->isVisible() && strip != window)
        desk.strip = strip->frameGeometry();
    const QPoint place = placeClient(QRect(saved, window->size()), titleHeightOf(window), desk);
    // The client area, not the frame: a window not yet framed has no frame to
    // place, and the two would differ by the title bar at every restore.
    window->setGeometry(QRect(place, window->size()));
}

void placeNew(QWidget *window)
{
    const QScreen *primary = QGuiApplication::primaryScreen();
    if (!primary)
        return;
    QRect wanted(QPoint(), window->size());
    wanted.moveCenter(primary->availableGeometry().center());
    restore(window, wanted.topLeft());
}

QPoint savedTopLeft(const QWidget *window)
{
    return window->geometry().topLeft();
}

} // namespace vesk::windowplace
