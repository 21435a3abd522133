#pragma once

#include "store/rules/RuleLists.h"

#include <QString>

#include <array>
#include <optional>

namespace vesk {

class Messenger;

// The rule page of the settings dialog without its widgets: four lists of
// rule lines (the memos), four entry fields and the add, edit and erase
// buttons, all numbered 1 to 4 by the list they serve. The dialog mirrors
// lines() and entry() into its controls and calls the handlers.
class RuleEntryModel final
{
public:
    explicit RuleEntryModel(Messenger &messenger);

    void setLists(const RuleLists &lists);
    // The lists as they are to be stored.
    RuleLists lists() const;

    const QStringList &lines(int list) const;
    // The memo's text: the lines joined by LF.
    QString memoText(int list) const;

    const QString &entry(int list) const;
    void setEntry(int list, const QString &text);

    struct Selection
    {
        qsizetype start = 0;
        qsizetype length = 0;
        friend bool operator==(const Selection &, const Selection &) = default;
    };
    // A click in the memo: the whole line under the caret (a position in
    // memoText()) is selected and remembered for edit and erase. Nothing is
    // selected in an empty memo.
    std::optional<Selection> memAdrs1Click(int list, qsizetype caretPosition);

    // Each returns whether the lines or the entry changed.
    bool spbAdd1Click(int list);
    bool spbEdit1Click(int list);
    bool spbErase1Click(int list);

private:
    struct Memo
    {
        QStringList lines;
        QString entry;
        int selected = -1;
    };

    Memo &memo(int list) { return m_memos[std::size_t(list - 1)]; }
    const Memo &memo(int list) const { return m_memos[std::size_t(list - 1)]; }
    void refuse(const QString &text);

    Messenger &m_messenger;
    std::array<Memo, RuleLists::Count> m_memos;
};

} // namespace vesk
