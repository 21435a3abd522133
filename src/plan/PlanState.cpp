#include "plan/PlanState.h"

#include "plan/PlanRanks.h"
#include "plan/PlanRepeat.h"
#include "settings/SettingsSections.h"
#include "settings/SettingsStore.h"

#include <algorithm>

namespace vesk {
namespace {

void sortLines(QStringList &lines)
{
    std::stable_sort(lines.begin(), lines.end(),
        [](const QString &a, const QString &b) { return a.compare(b, Qt::CaseInsensitive) < 0; });
}

} // namespace

PlanState::PlanState(SettingsStore &store)
    : m_store(store)
{ }

void PlanState::PlanRegRead()
{
    const int remembered = m_index;
    m_lines = m_store.readSection(sections::Plan);
    SettingsStore::Batch batch(m_store);
    for (int i = 0; i < count(); ++i) {
        const int mode = PlanRecord::fromLine(m_lines.at(i)).modeNumber();
        if (mode != PlanRecord::Yearly && mode != PlanRecord::Monthly)
            continue;
        setCurrent(i);
        const std::optional<QString> moved = PlanRepeat::repaired(m_current);
        if (!moved)
            continue;
        m_store.deleteValue(sections::Plan, m_currentName);
        PlanRecord record = m_current;
        const QString name = freeName(*moved);
        record.dateTime = name.chopped(3);
        record.rank = name.right(2);
        write(name, record);
        m_lines[i] = name + QLatin1Char('=') + record.data();
    }
    sortLines(m_lines);
    m_index = remembered;
    PlanSet();
}

void PlanState::PlanSet()
{
    if (m_index < 0 || m_index >= count())
        return;
    setCurrent(m_index);
}

void PlanState::setCurrent(int index)
{
    const QString &line = m_lines.at(index);
    if (PlanRecord::lacksRank(line)) {
        // The older name without a rank is stored again as rank "00".
        const QString full = PlanRecord::withRank(line);
        m_store.deleteValue(sections::Plan, line.left(16));
        m_store.writeString(sections::Plan, full.left(19), full.mid(20));
        m_lines[index] = full;
    }
    m_current = PlanRecord::fromLine(m_lines.at(index));
    // A hand-made name that is no date-time is still removed by its own name.
    m_currentName = m_lines.at(index).section(QLatin1Char('='), 0, 0);
}

void PlanState::PlanReWrite(const QDateTime &now)
{
    SettingsStore::Batch batch(m_store);
    m_store.deleteValue(sections::Plan, m_currentName);
    const int mode = m_current.modeNumber();
    // A one-off plan is gone for good; so is a plan of a mode nobody knows,
    // which would otherwise fall due again at every tick.
    if (mode < PlanRecord::Yearly || mode > PlanRecord::Daily)
        return;
    PlanRecord record = m_current;
    record.dateTime = PlanRepeat::next(m_current, now);
    if (record.dateTime.isEmpty())
        return;
    const QString name = freeName(record.dateTime);
    record.dateTime = name.chopped(3);
    record.rank = name.right(2);
    write(name, record);
}

QString PlanState::freeName(const QString &dateTime) const
{
    return PlanRanks::freeName(
        dateTime, [this](const QString &name) { return m_store.contains(sections::Plan, name); });
}

void PlanState::write(const QString &name, const PlanRecord &record)
{
    m_store.writeString(sections::Plan, name, record.data());
}

} // namespace vesk
