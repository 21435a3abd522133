#include "platform/Autostart.h"

#include "platform/DurableFile.h"
#include "platform/Paths.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <unistd.h>

namespace vesk {

QString Autostart::entryPath()
{
    return paths::configHome() + QStringLiteral("/autostart/vesk.desktop");
}

bool Autostart::isEnabled()
{
    return QFileInfo::exists(entryPath());
}

QString Autostart::execArgument(const QString &program)
{
    // Inside double quotes the Exec rules want ", `, $ and \ escaped by a
    // backslash; "%" would start a field code. Then the whole line is a
    // string value, whose own escaping doubles every backslash again.
    QString quoted;
    for (const QChar c : program) {
        if (c == u'"' || c == u'`' || c == u'$' || c == u'\\')
            quoted += u'\\';
        if (c == u'%')
            quoted += u'%';
        quoted += c;
    }
    quoted.replace(QLatin1String("\\"), QLatin1String("\\\\"));
    return u'"' + quoted + u'"';
}

QByteArray Autostart::entryText(const QString &program)
{
    const QString text = QStringLiteral("[Desktop Entry]\n"
                                        "Type=Application\n"
                                        "Name=Vesk\n"
                                        "Comment=Mail checker with a local mail server\n"
                                        "Comment[ja]=ローカルメールサーバー付きのメールチェッカー\n"
                                        "Exec=%1\n"
                                        "Icon=vesk\n"
                                        "Terminal=false\n"
                                        "X-GNOME-Autostart-enabled=true\n")
                             .arg(execArgument(program));
    return text.toUtf8();
}

bool Autostart::enable(const QString &program, QString *error)
{
    auto fail = [error](const QString &text) {
        if (error)
            *error = text;
        return false;
    };
    // A line break would end the Exec line and let the rest become entries
    // of its own.
    if (!QDir::isAbsolutePath(program) || program.contains(u'\n') || program.contains(u'\r')
        || program.contains(QChar(0)))
        return fail(
            QStringLiteral("自動起動に登録出来ません: プログラムの場所が正しくありません: ") + program);
    const QString path = entryPath();
    const QString folder = QFileInfo(path).path();
    if (!QDir().mkpath(folder)) {
        const int code = errno;
        return fail(DurableFile::failure(QStringLiteral("フォルダを作成出来ません"), folder, code));
    }
    const DurableFile::Result result
        = DurableFile::write(path, entryText(program), DurableFile::Existing::Replace);
    if (!result.ok())
        return fail(result.error);
    return true;
}

bool Autostart::disable(QString *error)
{
    const QString path = entryPath();
    const QByteArray encoded = QFile::encodeName(path);
    if (::unlink(encoded.constData()) == 0)
        return true;
    const int code = errno;
    if (code == ENOENT)
        return true;
    if (error)
        *error = DurableFile::failure(QStringLiteral("自動起動の登録を解除出来ません"), path, code);
    return false;
}

} // namespace vesk
