#pragma once

#include <QDate>
#include <QStringList>

namespace vesk {

class Clock;
class Messenger;
class SettingsStore;

// The rules of the plan editor (TPlanForm): the one-off and the repeating
// list, the inputs of the entry being composed, adding with its questions
// (InCheck, ModeCalc, ranks), modifying, deleting and saving section Plan.
// The window only shows this state and forwards the user's commands.
class PlanEditorModel final
{
public:
    enum class Page { One, Every };

    // The inputs as texts, as typed; weekday and mode as list indexes.
    struct Inputs
    {
        QString year, month, day, hour, minute;
        int weekday = 0; // 0 blank, 1 Sunday .. 7 Saturday
        int mode = 0; // 0 once (blank), 1-4
        QString comment;
    };

    struct Enabled
    {
        bool year = true, month = true, day = true, weekday = false, hour = true, minute = true, mode = false;
    };

    // `reference` is today, or the day double-clicked in the calendar.
    PlanEditorModel(SettingsStore &store, Messenger &messenger, const Clock &clock, const QDate &reference);

    Page page() const { return m_page; }
    const QStringList &list(Page page) const { return page == Page::One ? m_one : m_every; }
    const Inputs &inputs() const { return m_inputs; }
    void setInputs(const Inputs &inputs) { m_inputs = inputs; }
    const Enabled &enabled() const { return m_enabled; }
    int selected(Page page) const { return page == Page::One ? m_selectedOne : m_selectedEvery; }
    void select(Page page, int row);
    bool changed() const { return m_changed; }
    QDate reference() const { return m_reference; }

    // spbOneClick, spbEveryClick: the page shown, the inputs reset but for
    // the comment being typed.
    void showOne();
    void showEvery();
    // cmbModeChange
    void modeChanged(int mode);
    // btnAddClick: false when nothing was added.
    bool add();
    // btcClearClick
    void clearComment() { m_inputs.comment.clear(); }
    // A "定義済" item: the comment replaced.
    void chooseKeyword(const QString &comment) { m_inputs.comment = comment; }
    // btnMod0Click / btnMod1Click
    void modify(Page page);
    // btnErase0Click / btnErase1Click
    void erase(Page page);
    // btnOKClick: true when section Plan was written and the window closes.
    bool save();
    // Closing without saving: asks first when plans were added, modified or
    // deleted since the editor opened; true when the window may close.
    bool mayDiscard();
    // The columns a list line shows: date, time, rank, mode, weekday and
    // comment, the mode and the weekday as the input lists name them.
    static QStringList columns(const QString &line);

    // InCheck: whether the composed entry may be added (tells why not).
    bool InCheck();
    // ModeCalc: the first due time of the composed entry.
    QString ModeCalc() const;

    // The suggestions of the input lists.
    QStringList yearItems() const;
    static QStringList monthItems();
    static QStringList dayItems();
    static QStringList hourItems();
    static QStringList minuteItems();
    static QStringList weekdayItems();
    static QStringList modeItems();

private:
    struct Entry
    {
        QString mode, year, month, day, hour, minute, time, dateTime, weekday, comment, rank;
    };

    Entry compose() const;
    QString dayRemark(const Entry &entry) const;
    bool ask(const QString &text);
    void tell(const QString &text);
    void CommonON();
    void ComboOnOff();
    void ListToCombo(const QString &line);
    bool lineTaken(const QString &name) const;

    SettingsStore &m_store;
    Messenger &m_messenger;
    const Clock &m_clock;
    QDate m_reference;
    QStringList m_one;
    QStringList m_every;
    Page m_page = Page::One;
    Inputs m_inputs;
    Enabled m_enabled;
    int m_selectedOne = -1;
    int m_selectedEvery = -1;
    bool m_changed = false;
};

} // namespace vesk
