#include "store/rules/RuleEntryModel.h"

#include "platform/Messenger.h"
#include "store/rules/RuleStorage.h"

namespace vesk {
namespace {

// Rules compare as the matching sees them: ASCII letters in upper case, every
// other character as it is (Shift_JIS double-byte characters are never
// upper-cased).
QString upperAscii(const QString &text)
{
    QString upper = text;
    for (QChar &c : upper) {
        if (c >= u'a' && c <= u'z')
            c = QChar(c.unicode() - u'a' + u'A');
    }
    return upper;
}

bool holds(const QStringList &lines, const QString &upperRule)
{
    for (const QString &line : lines) {
        if (upperAscii(trimRule(line)) == upperRule)
            return true;
    }
    return false;
}

// An entry field is one line: a pasted line break would make two memo lines.
QString oneLine(const QString &text)
{
    QString line = text;
    line.replace(u'\r', u' ').replace(u'\n', u' ');
    return trimRule(line);
}

const QStringList NoLines;
const QString NoEntry;

} // namespace

RuleEntryModel::RuleEntryModel(Messenger &messenger)
    : m_messenger(messenger)
{ }

void RuleEntryModel::setLists(const RuleLists &lists)
{
    for (int list = 1; list <= RuleLists::Count; ++list) {
        memo(list).lines.clear();
        for (const QString &rule : lists.list(list)) {
            const QString line = oneLine(rule);
            if (!line.isEmpty())
                memo(list).lines << line;
        }
        memo(list).selected = -1;
    }
}

RuleLists RuleEntryModel::lists() const
{
    RuleLists lists;
    for (int list = 1; list <= RuleLists::Count; ++list)
        lists.list(list) = memo(list).lines;
    return lists;
}

const QStringList &RuleEntryModel::lines(int list) const
{
    return RuleLists::isValidList(list) ? memo(list).lines : NoLines;
}

QString RuleEntryModel::memoText(int list) const
{
    return lines(list).join(u'\n');
}

const QString &RuleEntryModel::entry(int list) const
{
    return RuleLists::isValidList(list) ? memo(list).entry : NoEntry;
}

void RuleEntryModel::setEntry(int list, const QString &text)
{
    if (RuleLists::isValidList(list))
        memo(list).entry = text;
}

std::optional<RuleEntryModel::Selection> RuleEntryModel::memAdrs1Click(int list, qsizetype caretPosition)
{
    if (!RuleLists::isValidList(list))
        return std::nullopt;
    Memo &m = memo(list);
    m.selected = -1;
    if (m.lines.isEmpty())
        return std::nullopt;
    // A caret at the end of a line belongs to that line.
    qsizetype start = 0;
    for (int index = 0; index < m.lines.size(); ++index) {
        const qsizetype length = m.lines[index].size();
        if (caretPosition <= start + length || index == m.lines.size() - 1) {
            m.selected = index;
            return Selection { start, length };
        }
        start += length + 1;
    }
    return std::nullopt;
}

bool RuleEntryModel::spbAdd1Click(int list)
{
    if (!RuleLists::isValidList(list))
        return false;
    Memo &m = memo(list);
    const QString rule = oneLine(m.entry);
    if (rule.isEmpty()) {
        refuse(QStringLiteral("振り分け文字列を記入してください"));
        return false;
    }
    const QString upper = upperAscii(rule);
    // The other mailer's list is named first: it matters more to know that
    // the rule already sends mail elsewhere.
    if (holds(memo(RuleLists::partnerOf(list)).lines, upper)) {
        refuse(QStringLiteral("相手の設定に既にあります"));
        return false;
    }
    if (holds(m.lines, upper)) {
        refuse(QStringLiteral("自分の設定に既にあります"));
        return false;
    }
    // The value names of the stored section hold 100 rules per list.
    if (m.lines.size() >= RuleLists::MaxRules) {
        refuse(rulestorage::tooManyRulesText());
        return false;
    }
    m.lines << rule;
    m.entry.clear();
    m.selected = -1;
    return true;
}

bool RuleEntryModel::spbEdit1Click(int list)
{
    if (!RuleLists::isValidList(list))
        return false;
    Memo &m = memo(list);
    if (!oneLine(m.entry).isEmpty()) {
        refuse(QStringLiteral("アドレスが、まだ入っています。"));
        return false;
    }
    if (m.selected < 0 || m.selected >= m.lines.size()) {
        m_messenger.message(QStringLiteral("修正するアドレスを指示してください"));
        return false;
    }
    m.entry = m.lines.takeAt(m.selected);
    m.selected = -1;
    return true;
}

bool RuleEntryModel::spbErase1Click(int list)
{
    if (!RuleLists::isValidList(list))
        return false;
    Memo &m = memo(list);
    if (m.selected < 0 || m.selected >= m.lines.size()) {
        m_messenger.message(QStringLiteral("削除するアドレスを指示してください"));
        return false;
    }
    m.lines.removeAt(m.selected);
    // The next press must not take the line that moved up into this place.
    m.selected = -1;
    return true;
}

void RuleEntryModel::refuse(const QString &text)
{
    m_messenger.beep();
    m_messenger.message(text);
}

} // namespace vesk
