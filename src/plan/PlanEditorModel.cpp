#include "plan/PlanEditorModel.h"

#include "plan/PlanRanks.h"
#include "plan/PlanRecord.h"
#include "plan/PlanText.h"
#include "platform/Clock.h"
#include "platform/Messenger.h"
#include "settings/SettingsSections.h"
#include "settings/SettingsStore.h"

#include <algorithm>

namespace vesk {
namespace {

const QString Caption = QStringLiteral("確認");

bool asciiDigits(const QString &text)
{
    return !text.isEmpty()
        && std::all_of(text.begin(), text.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
}

// An input as it goes into the date-time: a number typed short ("8") is
// zero-padded, for "8 :00" would sort after every other time of the day and
// the plan would never fall due; other text is padded with blanks.
QString field(const QString &text, int width)
{
    const QString trimmed = text.trimmed();
    if (asciiDigits(trimmed) && trimmed.size() < width)
        return QString(width - trimmed.size(), u'0') + trimmed;
    return PlanText::padded(trimmed, width);
}

void sortLines(QStringList &lines)
{
    std::stable_sort(lines.begin(), lines.end(),
        [](const QString &a, const QString &b) { return a.compare(b, Qt::CaseInsensitive) < 0; });
}

} // namespace

PlanEditorModel::PlanEditorModel(
    SettingsStore &store, Messenger &messenger, const Clock &clock, const QDate &reference)
    : m_store(store)
    , m_messenger(messenger)
    , m_clock(clock)
    , m_reference(reference)
{
    QStringList lines = m_store.readSection(sections::Plan);
    sortLines(lines);
    for (const QString &line : lines) {
        const PlanRecord record = PlanRecord::fromLine(line);
        const int mode = record.modeNumber();
        // A record of an unknown mode is not shown, and is gone after saving.
        if (mode == PlanRecord::Once)
            m_one << record.listLine();
        else if (mode >= PlanRecord::Yearly && mode <= PlanRecord::Daily)
            m_every << record.listLine();
    }
    showOne();
}

void PlanEditorModel::select(Page page, int row)
{
    const int count = int(list(page).size());
    const int index = row >= 0 && row < count ? row : -1;
    (page == Page::One ? m_selectedOne : m_selectedEvery) = index;
}

void PlanEditorModel::CommonON()
{
    m_inputs.year = PlanText::fourDigits(m_reference.year());
    m_inputs.month = PlanText::twoDigits(m_reference.month());
    m_inputs.day = PlanText::twoDigits(m_reference.day());
    m_inputs.weekday = 0;
    m_inputs.hour = QStringLiteral("08");
    m_inputs.minute = QStringLiteral("00");
    m_inputs.comment.clear();
}

void PlanEditorModel::ComboOnOff()
{
    const int mode = m_inputs.mode;
    m_enabled.year = mode == PlanRecord::Once;
    m_enabled.month = mode == PlanRecord::Once || mode == PlanRecord::Yearly;
    m_enabled.day = mode <= PlanRecord::Monthly;
    m_enabled.weekday = mode == PlanRecord::Weekly;
    m_enabled.hour = true;
    m_enabled.minute = true;
}

void PlanEditorModel::showOne()
{
    m_page = Page::One;
    m_inputs.mode = PlanRecord::Once;
    m_enabled.mode = false;
    ComboOnOff();
    const QString comment = m_inputs.comment;
    CommonON();
    m_inputs.comment = comment;
}

void PlanEditorModel::showEvery()
{
    m_page = Page::Every;
    m_inputs.mode = PlanRecord::Yearly;
    m_enabled.mode = true;
    ComboOnOff();
    const QString comment = m_inputs.comment;
    CommonON();
    m_inputs.comment = comment;
}

void PlanEditorModel::modeChanged(int mode)
{
    m_inputs.mode = std::clamp(mode, 0, 4);
    if (m_page == Page::Every && m_inputs.mode == PlanRecord::Once)
        m_inputs.mode = PlanRecord::Yearly;
    ComboOnOff();
}

PlanEditorModel::Entry PlanEditorModel::compose() const
{
    Entry e;
    e.mode = QString::number(m_inputs.mode);
    e.year = field(m_inputs.year, 4);
    e.month = field(m_inputs.month, 2);
    e.day = field(m_inputs.day, 2);
    e.hour = field(m_inputs.hour, 2);
    e.minute = field(m_inputs.minute, 2);
    e.time = e.hour + QLatin1Char(':') + e.minute;
    e.dateTime = e.year + QLatin1Char('/') + e.month + QLatin1Char('/') + e.day + QLatin1Char(' ') + e.time;
    e.weekday = QString::number(m_inputs.weekday);
    e.comment = m_inputs.comment;
    e.rank = QStringLiteral("00");
    return e;
}

QString PlanEditorModel::dayRemark(const Entry &e) const
{
    const int mode = m_inputs.mode;
    if (mode > PlanRecord::Monthly)
        return {};
    const int day = PlanText::number(e.day, 32);
    const bool monthly = mode == PlanRecord::Monthly;
    const bool february = e.month == QLatin1String("02");
    const QString gone = e.month + QStringLiteral("月") + e.day + QStringLiteral("日は存在しません");
    switch (day) {
    case 29:
        if (monthly)
            return e.day + QStringLiteral("日は、閏年の２月しか連絡できません");
        return february
            ? e.month + QStringLiteral("月") + e.day + QStringLiteral("日は、閏年しか連絡できません")
            : QString();
    case 30:
        if (monthly)
            return e.day + QStringLiteral("日は、２月は連絡できません");
        return february ? gone : QString();
    case 31: {
        if (monthly)
            return e.day + QStringLiteral("日は、１・３・５・７・８・１０・１２月しか連絡できません");
        const bool shortMonth = QStringList { QStringLiteral("04"), QStringLiteral("06"),
            QStringLiteral("09"), QStringLiteral("11") }
                                    .contains(e.month);
        // February 31 does not exist for a one-off plan either.
        return february || shortMonth ? gone : QString();
    }
    default:
        if (day >= 1 && day <= 28)
            return {};
        return PlanText::parseDate(e.dateTime.left(10)).isValid() ? QString() : gone + QStringLiteral("。");
    }
}

bool PlanEditorModel::ask(const QString &text)
{
    m_messenger.beep();
    const std::optional<Messenger::Answer> answer = m_messenger.ask(Caption, text, Messenger::Buttons::YesNo);
    return answer && *answer == Messenger::Answer::Yes;
}

void PlanEditorModel::tell(const QString &text)
{
    m_messenger.beep();
    m_messenger.message(text);
}

bool PlanEditorModel::add()
{
    if (m_inputs.comment.trimmed().isEmpty()
        && !ask(QStringLiteral("「コメント」が入っていません\r\nよろしいですか？")))
        return false;
    Entry e = compose();
    const QString remark = dayRemark(e);
    if (!remark.isEmpty() && !ask(remark + QStringLiteral("\r\nこのまま追加しますか？")))
        return false;
    if (!InCheck()) {
        m_changed = true;
        return false;
    }
    e.dateTime = ModeCalc();
    const QString name = PlanRanks::freeName(e.dateTime, [this](const QString &n) { return lineTaken(n); });
    e.dateTime = name.chopped(3);
    e.rank = name.right(2);
    const QString line = e.dateTime + QLatin1Char(' ') + e.rank + QStringLiteral("  ") + e.mode
        + QStringLiteral("  ") + e.weekday + QStringLiteral("  ") + e.comment;
    (m_inputs.mode == PlanRecord::Once ? m_one : m_every) << line;
    CommonON();
    m_changed = true;
    return true;
}

bool PlanEditorModel::lineTaken(const QString &name) const
{
    const auto starts = [&name](const QString &line) { return line.startsWith(name); };
    return std::any_of(m_one.begin(), m_one.end(), starts)
        || std::any_of(m_every.begin(), m_every.end(), starts);
}

bool PlanEditorModel::InCheck()
{
    const Inputs &in = m_inputs;
    const auto given = [](const QString &text) { return !text.trimmed().isEmpty(); };
    bool ok = false;
    QString message;
    switch (in.mode) {
    case PlanRecord::Once:
        ok = given(in.year) && given(in.month) && given(in.day) && given(in.hour) && given(in.minute);
        message = QStringLiteral("年・月・日・時・分のどれかが指定してありません");
        break;
    case PlanRecord::Yearly:
        ok = given(in.month) && given(in.day) && given(in.hour) && given(in.minute);
        message = QStringLiteral("月・日・時・分のどれかが指定してありません");
        break;
    case PlanRecord::Monthly:
        ok = given(in.day) && given(in.hour) && given(in.minute);
        message = QStringLiteral("日・時・分のどれかが指定してありません");
        break;
    case PlanRecord::Weekly:
        ok = in.weekday >= 1 && in.weekday <= 7 && given(in.hour) && given(in.minute);
        message = QStringLiteral("曜日・時・分のどれかが指定してありません");
        break;
    case PlanRecord::Daily:
        ok = given(in.hour) && given(in.minute);
        message = QStringLiteral("時・分のどれかが指定してありません");
        break;
    default:
        return false;
    }
    if (!ok) {
        tell(message);
        return false;
    }
    if (in.mode == PlanRecord::Once && PlanText::minute(m_clock.now()) > compose().dateTime) {
        tell(QStringLiteral("現在日付時間の方が後に来ます"));
        return false;
    }
    return true;
}

QString PlanEditorModel::ModeCalc() const
{
    const Entry e = compose();
    const QDateTime now = m_clock.now();
    const QString nowText = PlanText::minute(now);
    const QString refYear = PlanText::fourDigits(m_reference.year());
    const QString refMonth = PlanText::twoDigits(m_reference.month());
    const QString refDay = PlanText::twoDigits(m_reference.day());
    const auto at = [&e](const QString &year, const QString &month, const QString &day) {
        return year + QLatin1Char('/') + month + QLatin1Char('/') + day + QLatin1Char(' ') + e.time;
    };
    switch (m_inputs.mode) {
    case PlanRecord::Yearly: {
        const QString thisYear = at(refYear, e.month, e.day);
        return nowText > thisYear ? at(PlanText::fourDigits(m_reference.year() + 1), e.month, e.day)
                                  : thisYear;
    }
    case PlanRecord::Monthly: {
        const QString thisMonth = at(refYear, refMonth, e.day);
        if (!(nowText > thisMonth))
            return thisMonth;
        // The next month keeps the day: a plan for the 31st is for the months
        // that have one (loading the plans moves it past the others).
        const QDate next = QDate(m_reference.year(), m_reference.month(), 1).addMonths(1);
        return at(PlanText::fourDigits(next.year()), PlanText::twoDigits(next.month()), e.day);
    }
    case PlanRecord::Weekly: {
        const QDate today = now.date();
        QDate day = today.addDays(m_inputs.weekday - PlanText::weekdayIndex(today));
        if (nowText > PlanText::date(day) + QLatin1Char(' ') + e.time)
            day = day.addDays(7);
        return PlanText::date(day) + QLatin1Char(' ') + e.time;
    }
    case PlanRecord::Daily: {
        const QString first = at(refYear, refMonth, refDay);
        return nowText > first ? PlanText::date(now.date().addDays(1)) + QLatin1Char(' ') + e.time : first;
    }
    default:
        return e.dateTime;
    }
}

void PlanEditorModel::ListToCombo(const QString &line)
{
    const PlanRecord record = PlanRecord::fromListLine(line);
    m_inputs.mode = std::clamp(PlanText::number(record.mode, 0), 0, 4);
    m_inputs.year = record.year();
    m_inputs.month = record.month();
    m_inputs.day = record.day();
    m_inputs.hour = record.dateTime.mid(11, 2);
    m_inputs.minute = record.dateTime.mid(14, 2);
    m_inputs.comment = record.comment;
    const int weekday = record.weekday.size() == 1 && record.weekday.front().isDigit()
        ? record.weekday.front().unicode() - u'0'
        : 1;
    m_inputs.weekday = std::clamp(weekday, 0, 7);
    ComboOnOff();
    m_enabled.mode = m_inputs.mode != PlanRecord::Once;
}

void PlanEditorModel::modify(Page page)
{
    if (!m_inputs.comment.isEmpty()) {
        tell(QStringLiteral("予定を「追加」してから「修正」をしてください。\r\n"
                            "あるいはコメントを消してから「修正」してください。"));
        return;
    }
    const int row = selected(page);
    if (row < 0) {
        tell(QStringLiteral("修正する予定を指示してください"));
        return;
    }
    QStringList &lines = page == Page::One ? m_one : m_every;
    ListToCombo(lines.takeAt(row));
    select(page, -1);
}

void PlanEditorModel::erase(Page page)
{
    const int row = selected(page);
    if (row < 0) {
        if (page == Page::One)
            m_changed = true;
        tell(QStringLiteral("削除する予定を指示してください"));
        return;
    }
    (page == Page::One ? m_one : m_every).removeAt(row);
    select(page, -1);
    m_changed = true;
}

bool PlanEditorModel::save()
{
    if (!m_changed && m_inputs.comment.isEmpty()
        && !ask(QStringLiteral("コメントが入力されていませんので\r\n予定を設定せずに終了しますか？")))
        return false;
    // An entry that cannot be added stays in the window to be put right,
    // rather than being dropped with the closing window.
    if (!m_inputs.comment.isEmpty() && !add())
        return false;
    SettingsStore::Batch batch(m_store);
    m_store.eraseSection(sections::Plan);
    for (const QStringList *lines : { &m_one, &m_every }) {
        for (const QString &line : *lines) {
            const PlanRecord record = PlanRecord::fromListLine(line);
            m_store.writeString(sections::Plan, record.name(), record.data());
        }
    }
    return batch.commit();
}

bool PlanEditorModel::mayDiscard()
{
    return !m_changed
        || ask(QStringLiteral("追加・修正・削除した予定が保存されていません。\r\n保存せずに閉じますか？"));
}

QStringList PlanEditorModel::columns(const QString &line)
{
    // Positions of the list line: 1 date-time, 18 rank, 22 mode, 25 weekday,
    // 28 comment.
    const int rank = line.mid(17, 2).toInt();
    const QStringList modes = modeItems();
    const QStringList weekdays = weekdayItems();
    return { line.left(10), line.mid(11, 5), QString::number(rank + 1), modes.value(line.mid(21, 1).toInt()),
        weekdays.value(line.mid(24, 1).toInt()), line.mid(27) };
}

QStringList PlanEditorModel::yearItems() const
{
    QStringList items;
    for (int year = m_reference.year(); year < m_reference.year() + 10; ++year)
        items << PlanText::fourDigits(year);
    return items;
}

QStringList PlanEditorModel::monthItems()
{
    QStringList items;
    for (int month = 1; month <= 12; ++month)
        items << PlanText::twoDigits(month);
    return items;
}

QStringList PlanEditorModel::dayItems()
{
    QStringList items;
    for (int day = 1; day <= 31; ++day)
        items << PlanText::twoDigits(day);
    return items;
}

QStringList PlanEditorModel::hourItems()
{
    QStringList items;
    for (int hour = 0; hour <= 23; ++hour)
        items << PlanText::twoDigits(hour);
    return items;
}

QStringList PlanEditorModel::minuteItems()
{
    QStringList items;
    for (int minute = 0; minute <= 55; minute += 5)
        items << PlanText::twoDigits(minute);
    return items;
}

QStringList PlanEditorModel::weekdayItems()
{
    return { QString(), QStringLiteral("1-日曜日"), QStringLiteral("2-月曜日"), QStringLiteral("3-火曜日"),
        QStringLiteral("4-水曜日"), QStringLiteral("5-木曜日"), QStringLiteral("6-金曜日"),
        QStringLiteral("7-土曜日") };
}

QStringList PlanEditorModel::modeItems()
{
    return { QString(), QStringLiteral("1-毎年連絡する月日"), QStringLiteral("2-毎月連絡する日々"),
        QStringLiteral("3-毎週連絡する曜日"), QStringLiteral("4-毎日連絡する時間") };
}

} // namespace vesk
