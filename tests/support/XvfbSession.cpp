#include "support/Screenshot.h"
#include "support/TestPaths.h"
#include "support/WaitFor.h"
#include "support/XvfbSession.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStandardPaths>

namespace vesk::test {

XvfbSession::~XvfbSession()
{
    for (QProcess *p : { m_windowManager.get(), m_tray.get(), m_xvfb.get() }) {
        if (p && p->state() != QProcess::NotRunning) {
            p->terminate();
            if (!p->waitForFinished(5000))
                p->kill();
            p->waitForFinished(2000);
        }
    }
}

bool XvfbSession::start(bool withTray, QString *error)
{
    for (const char *tool : { "Xvfb", "xdotool", "xwininfo", "import", "compare" }) {
        if (QStandardPaths::findExecutable(QString::fromLatin1(tool)).isEmpty()) {
            *error = QStringLiteral("%1 is not installed").arg(QString::fromLatin1(tool));
            return false;
        }
    }
    // Xvfb picks a free display itself and says which on the descriptor.
    // -noreset: by default the server resets when its last client leaves,
    // and a client connecting in that moment (the program under test, while
    // xwininfo polls) is dropped.
    m_xvfb = std::make_unique<QProcess>();
    m_xvfb->start(QStringLiteral("sh"),
        { QStringLiteral("-c"),
            QStringLiteral("exec Xvfb -displayfd 1 -noreset -screen 0 1024x768x24 -nolisten tcp 2>/dev/null") });
    if (!waitFor([&] { return m_xvfb->canReadLine() || m_xvfb->state() == QProcess::NotRunning; }, 20000)
        || !m_xvfb->canReadLine()) {
        *error = QStringLiteral("Xvfb did not start");
        return false;
    }
    m_display = QLatin1Char(':') + QString::fromLatin1(m_xvfb->readLine().trimmed());
    if (withTray) {
        m_tray = std::make_unique<QProcess>();
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("DISPLAY"), m_display);
        m_tray->setProcessEnvironment(env);
        m_tray->setStandardOutputFile(QProcess::nullDevice());
        m_tray->setStandardErrorFile(QProcess::nullDevice());
        m_tray->start(QStringLiteral("trayer"),
            { QStringLiteral("--edge"), QStringLiteral("top"), QStringLiteral("--align"), QStringLiteral("right"),
                QStringLiteral("--widthtype"), QStringLiteral("pixel"), QStringLiteral("--width"), QStringLiteral("200"),
                QStringLiteral("--height"), QStringLiteral("24") });
        if (!waitFor([&] { return !window(QStringLiteral("panel")).isEmpty(); }, 10000)) {
            *error = QStringLiteral("the tray host did not start");
            return false;
        }
    }
    return true;
}

bool XvfbSession::startWindowManager(QString *error)
{
    if (QStandardPaths::findExecutable(QStringLiteral("openbox")).isEmpty()) {
        *error = QStringLiteral("openbox is not installed");
        return false;
    }
    m_windowManager = std::make_unique<QProcess>();
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("DISPLAY"), m_display);
    m_windowManager->setProcessEnvironment(env);
    m_windowManager->setStandardOutputFile(QProcess::nullDevice());
    m_windowManager->setStandardErrorFile(QProcess::nullDevice());
    m_windowManager->start(QStringLiteral("openbox"), {});
    // Running once it has claimed the root window as a window manager does.
    if (!waitFor(
            [&] {
                return run(QStringLiteral("xprop"),
                    { QStringLiteral("-root"), QStringLiteral("_NET_SUPPORTING_WM_CHECK") })
                    .contains(QStringLiteral("window id"));
            },
            10000)) {
        *error = QStringLiteral("the window manager did not start");
        return false;
    }
    return true;
}

QString XvfbSession::run(const QString &program, const QStringList &arguments, bool *ok) const
{
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("DISPLAY"), m_display);
    process.setProcessEnvironment(env);
    process.start(program, arguments);
    const bool finished = process.waitForFinished(20000);
    if (ok)
        *ok = finished && process.exitCode() == 0;
    return QString::fromLocal8Bit(process.readAllStandardOutput());
}

QRect XvfbSession::window(const QString &name, const QString &parentName) const
{
    return find([&name](const QString &each) { return each == name; }, parentName, nullptr);
}

QRect XvfbSession::windowStartingWith(const QString &prefix, QString *name) const
{
    return find([&prefix](const QString &each) { return each.startsWith(prefix); }, QString(), name);
}

QRect XvfbSession::find(
    const std::function<bool(const QString &)> &wanted, const QString &parentName, QString *name) const
{
    // xwininfo -tree lines: 0x400006 "Vesk": ("vesk" "vesk")  119x23+0+0  +0+0
    static const QRegularExpression line(
        QStringLiteral("^(\\s*)(0x[0-9a-f]+) \"([^\"]*)\".*?(\\d+)x(\\d+)[+-]-?\\d+[+-]-?\\d+\\s+\\+(-?\\d+)\\+(-?\\d+)"));
    const QStringList lines = run(QStringLiteral("xwininfo"), { QStringLiteral("-root"), QStringLiteral("-tree") })
                                  .split(u'\n');
    int parentIndent = -1;
    for (const QString &text : lines) {
        const QRegularExpressionMatch m = line.match(text);
        if (!m.hasMatch())
            continue;
        const int indent = int(m.captured(1).size());
        if (!parentName.isEmpty() && parentIndent < 0) {
            if (m.captured(3) == parentName)
                parentIndent = indent;
            continue;
        }
        if (parentIndent >= 0 && indent <= parentIndent) {
            parentIndent = -1;
            continue;
        }
        const int w = m.captured(4).toInt();
        const int h = m.captured(5).toInt();
        // Listed is not yet shown: a tray icon, for one, is listed inside the
        // tray before the tray maps it, and a click there would be lost.
        if (wanted(m.captured(3)) && w > 1 && h > 1
            && run(QStringLiteral("xwininfo"), { QStringLiteral("-id"), m.captured(2) })
                   .contains(QLatin1String("IsViewable"))) {
            if (name)
                *name = m.captured(3);
            return QRect(m.captured(6).toInt(), m.captured(7).toInt(), w, h);
        }
    }
    return {};
}

bool XvfbSession::xdotool(const QStringList &arguments) const
{
    bool ok = false;
    run(QStringLiteral("xdotool"), arguments, &ok);
    return ok;
}

bool XvfbSession::click(const QPoint &point, const QStringList &keys, int button) const
{
    QStringList arguments { QStringLiteral("mousemove"), QString::number(point.x()),
        QString::number(point.y()), QStringLiteral("click"), QString::number(button) };
    if (!keys.isEmpty())
        arguments << QStringLiteral("key") << keys;
    return xdotool(arguments);
}

QRect XvfbSession::waitForWindow(const QString &name, int ms) const
{
    QRect found;
    waitFor([&] { return !(found = window(name)).isEmpty(); }, ms);
    return found;
}

bool XvfbSession::screenshot(const QString &path, const QRect &area) const
{
    QDir().mkpath(QFileInfo(path).path());
    run(QStringLiteral("import"),
        { QStringLiteral("-window"), QStringLiteral("root"), QStringLiteral("-crop"),
            QStringLiteral("%1x%2+%3+%4").arg(area.width()).arg(area.height()).arg(area.x()).arg(area.y()),
            QStringLiteral("+repage"), path });
    return QFileInfo::exists(path);
}

long long XvfbSession::differingPixels(const QString &a, const QString &b)
{
    QProcess process;
    process.start(QStringLiteral("compare"), { QStringLiteral("-metric"), QStringLiteral("AE"), a, b,
                                                  QStringLiteral("null:") });
    process.waitForFinished(20000);
    // compare writes the count on standard error.
    return QString::fromLocal8Bit(process.readAllStandardError()).trimmed().toLongLong();
}

QString XvfbSession::artefact(const QString &name)
{
    return artefactPath(name);
}

} // namespace vesk::test
