#include "app/gui/PopupMenu.h"

#include <QAction>
#include <QKeySequence>
#include <QMenu>
#include <QWidget>

namespace vesk {
namespace {

QKeySequence functionKey(int n)
{
    return n >= 1 && n <= 12 ? QKeySequence(Qt::Key(Qt::Key_F1 + n - 1)) : QKeySequence();
}

} // namespace

PopupMenu::PopupMenu(Rows rows, QObject *parent)
    : QObject(parent)
    , m_rows(std::move(rows))
{
}

QMenu *PopupMenu::build(QWidget *parent)
{
    auto *root = new QMenu(parent);
    root->setAttribute(Qt::WA_DeleteOnClose);
    QMenu *timer = nullptr;
    QMenu *display = nullptr;
    for (const menu::Item &item : m_rows()) {
        QMenu *target = root;
        if (item.group == menu::Group::TimerMenu) {
            if (!timer)
                timer = root->addMenu(menu::groupCaption(item.group));
            timer->setEnabled(item.enabled);
            target = timer;
        } else if (item.group == menu::Group::DisplayMenu) {
            if (!display)
                display = root->addMenu(menu::groupCaption(item.group));
            target = display;
        }
        if (item.separatorBefore)
            target->addSeparator();
        QAction *action = target->addAction(item.caption);
        action->setEnabled(item.enabled);
        action->setCheckable(item.checkable);
        action->setChecked(item.checked);
        action->setShortcut(functionKey(item.functionKey));
        const menu::Command command = item.command;
        connect(action, &QAction::triggered, this, [this, command] { emit triggered(command); });
    }
    return root;
}

void PopupMenu::popup(const QPoint &globalPos)
{
    QMenu *menu = build(nullptr);
    menu->popup(globalPos);
}

void PopupMenu::installShortcuts(QWidget *window)
{
    for (QAction *action : m_shortcuts) {
        window->removeAction(action);
        delete action;
    }
    m_shortcuts.clear();
    for (const menu::Item &item : m_rows()) {
        if (!item.functionKey)
            continue;
        auto *action = new QAction(window);
        action->setShortcut(functionKey(item.functionKey));
        action->setShortcutContext(Qt::WindowShortcut);
        action->setEnabled(item.enabled);
        const menu::Command command = item.command;
        connect(action, &QAction::triggered, this, [this, command] { emit triggered(command); });
        window->addAction(action);
        m_shortcuts << action;
    }
}

} // namespace vesk
