#pragma once

#include <QHash>
#include <QKeySequence>
#include <QObject>

class QAction;
class QActionGroup;
class QMenu;
class QMenuBar;
class QWidget;

namespace vesk {

// The commands of the box window as actions: one action per command, shared
// by its menu item, its button and its pop-up item, with its key.
class DevideActions final : public QObject
{
    Q_OBJECT

public:
    enum Id {
        ReDraw,
        SelectAll,
        Erase,
        Clean,
        Setting,
        Close,
        Receive,
        Receive2,
        Send,
        Send2,
        SendGo,
        SendStop,
        VeskOff,
        Up,
        Down1,
        Down2,
        Down12,
        Add1,
        Add2,
        Add3,
        Add4,
        ReDev,
        Choimi,
        Sort0,
        Sort1,
        Sort2,
        Sort3,
        Sort4,
        Min,
        Button,
        Help,
        Ten,
    };

    // The actions work anywhere in `window`, also while their menu is hidden.
    explicit DevideActions(QWidget *window);

    QAction *operator[](Id id) const { return m_actions.value(id); }

    // The menu bar: "ファイル(&F)", "送受信(&T)", "振分(&D)", "表示(&V)", "ヘルプ(&H)".
    void fillMenuBar(QMenuBar *bar);
    QMenu *devideMenu() const { return m_devide; }
    QMenu *sortMenu() const { return m_sort; }
    // The lists' pop-up menu.
    QMenu *popupMenu() const { return m_popup; }

private:
    QAction *make(Id id, const QString &text, const QKeySequence &key = {});

    QWidget *m_window;
    QHash<int, QAction *> m_actions;
    QActionGroup *m_sendMode;
    QMenu *m_file = nullptr;
    QMenu *m_send = nullptr;
    QMenu *m_devide = nullptr;
    QMenu *m_view = nullptr;
    QMenu *m_help = nullptr;
    QMenu *m_sort = nullptr;
    QMenu *m_popup = nullptr;
};

} // namespace vesk
