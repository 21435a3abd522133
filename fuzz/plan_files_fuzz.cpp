// Arbitrary bytes as a holiday file and as the lines of section Plan (and of
// section Luncher): reading never fails, a holiday file written back reads
// the same, every plan operation ends, and nothing outside a cell is drawn.
#include "plan/CalendarState.h"
#include "plan/DueCheck.h"
#include "plan/HolidayFile.h"
#include "plan/LauncherCaptions.h"
#include "plan/PlanState.h"
#include "plan/ReminderPass.h"
#include "settings/Settings.h"
#include "support/MemorySettingsStore.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    using namespace vesk;
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const HolidayDays days = HolidayFile::parse(bytes);
    if (!(HolidayFile::parse(HolidayFile::format(days)) == days))
        std::abort();

    const QDateTime now(QDate(2026, 12, 6), QTime(8, 0));
    const QStringList lines = QString::fromUtf8(bytes).split(u'\n').mid(0, 64);
    LauncherCaptions::fromSection(lines);

    MemorySettingsStore store;
    for (const QString &line : lines) {
        const qsizetype equals = line.indexOf(u'=');
        if (equals > 0)
            store.writeString(QStringLiteral("Plan"), line.left(equals), line.mid(equals + 1));
    }
    PlanState plans(store);
    plans.PlanRegRead();
    const Settings settings;
    for (int i = 0; i < plans.count(); ++i) {
        plans.setIndex(i);
        plans.PlanSet();
        ReminderPass::judge(plans.current(), settings, now);
        DueCheck::decide(plans.current(), plans.comment(), now, true);
        plans.PlanReWrite(now);
    }
    plans.setIndex(0);
    plans.PlanRegRead();

    CalendarState calendar(QStringLiteral("/nonexistent"), QString());
    for (int month = 1; month <= 12; ++month) {
        calendar.show(2026, month);
        QString error;
        calendar.CalDaySet(now.date(), plans.lines() + lines, &error);
    }
    return 0;
}
