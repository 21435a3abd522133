#include "plan/HolidayFile.h"

#include "plan/PlanText.h"
#include "platform/DurableFile.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <unistd.h>

namespace vesk {

HolidayDays HolidayFile::parse(const QByteArray &content)
{
    HolidayDays days;
    int month = 0;
    const QString text = QString::fromLatin1(content.left(MaxBytes));
    for (QStringView line : QStringView(text).tokenize(u'\n')) {
        if (line.endsWith(u'\r'))
            line.chop(1);
        const QString item = line.toString();
        if (item.startsWith(u'<')) {
            month = item.size() >= 2 ? PlanText::number(QStringView(item).mid(1, item.size() - 2), 0) : 0;
            continue;
        }
        days.set(month, PlanText::number(item, 0), true);
    }
    return days;
}

QByteArray HolidayFile::format(const HolidayDays &days)
{
    QByteArray out;
    for (int month = 1; month <= 12; ++month) {
        out += '<' + QByteArray::number(month) + ">\r\n";
        for (int day = 1; day <= 31; ++day) {
            if (days.isSet(month, day))
                out += QByteArray::number(day) + "\r\n";
        }
    }
    return out;
}

std::optional<HolidayDays> HolidayFile::read(const QString &path, QString *error)
{
    if (!QFileInfo(path).isFile())
        return std::nullopt;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = QStringLiteral("休日ファイルを読めません: ") + path + QStringLiteral(" (")
                + file.errorString() + QLatin1Char(')');
        return std::nullopt;
    }
    return parse(file.read(MaxBytes));
}

bool HolidayFile::write(const QString &path, const HolidayDays &days, QString *error)
{
    if (days.any()) {
        const DurableFile::Result result
            = DurableFile::write(path, format(days), DurableFile::Existing::Replace);
        if (!result.ok() && error)
            *error = result.error;
        return result.ok();
    }
    if (::unlink(QFile::encodeName(path).constData()) == 0 || errno == ENOENT)
        return true;
    if (error)
        *error = DurableFile::failure(QStringLiteral("休日ファイルを削除できません"), path, errno);
    return false;
}

} // namespace vesk
