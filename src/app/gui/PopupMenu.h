#pragma once

#include "app/MainMenu.h"

#include <QList>
#include <QObject>

#include <functional>

class QAction;
class QMenu;
class QWidget;

namespace vesk {

// dlgPopUp as a Qt menu: built afresh from the menu rows each time it opens,
// so that its ticks and enabled items always match the controller. The
// function keys work on the strip itself too.
class PopupMenu final : public QObject
{
    Q_OBJECT

public:
    using Rows = std::function<QList<menu::Item>()>;
    PopupMenu(Rows rows, QObject *parent = nullptr);

    // Opens the menu at a screen position (from the strip or the tray).
    void popup(const QPoint &globalPos);
    // A fresh menu, for the tray icon's context menu.
    QMenu *build(QWidget *parent);
    // The function keys as shortcuts of `window`, again after each settings load.
    void installShortcuts(QWidget *window);

signals:
    void triggered(vesk::menu::Command command);
    // A launcher entry, by its number.
    void entryTriggered(int entry);

private:
    QAction *addRow(QMenu *menu, const menu::Item &item);
    void fire(const menu::Item &row);

    Rows m_rows;
    QList<QAction *> m_shortcuts;
};

} // namespace vesk
