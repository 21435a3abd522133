#pragma once

#include <QProcess>
#include <QRect>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

namespace vesk::test {

// A private X server (Xvfb on a display number it picks itself) with an
// optional tray host, for running the windows as a person would and taking
// screenshots of them.
class XvfbSession final
{
public:
    XvfbSession() = default;
    ~XvfbSession();

    // False (with the reason) where Xvfb or the tools are missing.
    bool start(bool withTray, QString *error);
    // A window manager (openbox) on the display: frames, title bars and
    // placement as on a desktop. False (with the reason) where it is missing.
    bool startWindowManager(QString *error);
    QString display() const { return m_display; }

    // A top-level window's geometry on the screen, found by its name (and,
    // for a tray icon, its parent's name); an empty rectangle if there is none.
    QRect window(const QString &name, const QString &parentName = QString()) const;
    // The first one whose name starts with `prefix`; its whole name goes to `name`.
    QRect windowStartingWith(const QString &prefix, QString *name = nullptr) const;
    // Waits up to `ms` for a window of that name; its geometry, or an empty rectangle.
    QRect waitForWindow(const QString &name, int ms) const;
    // Runs a program on this display; its standard output, and whether it succeeded.
    QString run(const QString &program, const QStringList &arguments, bool *ok = nullptr) const;
    // Runs xdotool with these arguments.
    bool xdotool(const QStringList &arguments) const;
    // A click of `button` at `point` of the screen, then these keys.
    bool click(const QPoint &point, const QStringList &keys = {}, int button = 1) const;
    // Writes a PNG of a part of the screen.
    bool screenshot(const QString &path, const QRect &area) const;
    // The same under the artefacts folder, as `name`.
    bool shoot(const QString &name, const QRect &area) const { return screenshot(artefact(name), area); }
    // Pixels that differ between two PNGs.
    static long long differingPixels(const QString &a, const QString &b);

    // Where screenshots go: <build>/artefacts/<name>.
    static QString artefact(const QString &name);

private:
    QRect find(
        const std::function<bool(const QString &)> &wanted, const QString &parentName, QString *name) const;

    std::unique_ptr<QProcess> m_xvfb;
    std::unique_ptr<QProcess> m_tray;
    std::unique_ptr<QProcess> m_windowManager;
    QString m_display;
};

} // namespace vesk::test
