#pragma once

#include "plan/PlanRecord.h"

#include <QDateTime>
#include <QStringList>

namespace vesk {

class SettingsStore;

// The resident program's plans: every line of section Plan ("name=data"),
// sorted so that the earliest due comes first, the plan index (-1 none) and
// the current plan, the fields of the line at the index. The current plan
// keeps its fields when the list empties.
class PlanState final
{
public:
    explicit PlanState(SettingsStore &store);

    // PlanRegRead: the list read again; yearly and monthly plans whose day
    // does not exist are moved on; sorted; the line at the remembered index
    // made current.
    void PlanRegRead();
    // PlanSet: the line at the plan index made current; a line of the older
    // form is stored again under its name with rank "00". Nothing when the
    // list is empty or the index lies outside it.
    void PlanSet();
    // PlanReWrite: the current plan's record removed and, for a repeating
    // plan, its next occurrence after `now` stored. The list stays as it is;
    // callers read it again.
    void PlanReWrite(const QDateTime &now);

    const QStringList &lines() const { return m_lines; }
    int count() const { return int(m_lines.size()); }
    int index() const { return m_index; }
    void setIndex(int index) { m_index = index; }
    const PlanRecord &current() const { return m_current; }
    // The current plan's comment as the program uses it (100 characters).
    QString comment() const { return m_current.comment.left(CommentLength); }

    static constexpr int CommentLength = 100;

private:
    void setCurrent(int index);
    QString freeName(const QString &dateTime) const;
    void write(const QString &name, const PlanRecord &record);

    SettingsStore &m_store;
    QStringList m_lines;
    int m_index = -1;
    PlanRecord m_current;
    QString m_currentName; // as stored
};

} // namespace vesk
