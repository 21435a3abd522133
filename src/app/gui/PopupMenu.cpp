#include "app/gui/PopupMenu.h"

#include <QAction>
#include <QKeySequence>
#include <QMenu>
#include <QPainter>
#include <QWidget>

namespace vesk {
namespace {

QKeySequence functionKey(int n)
{
    return n >= 1 && n <= 12 ? QKeySequence(Qt::Key(Qt::Key_F1 + n - 1)) : QKeySequence();
}

QKeySequence shortCutOf(const menu::Item &item)
{
    if (item.command == menu::Command::LauncherEntry)
        return QKeySequence::fromString(item.shortCut, QKeySequence::PortableText);
    return functionKey(item.functionKey);
}

// imgHot: the mark of an entry whose short cut is a global hot key.
QIcon hotKeyMark()
{
    QPixmap picture(16, 16);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(0x80, 0x40, 0x00), 1));
    painter.setBrush(QColor(0xff, 0xb0, 0x20));
    const QPointF bolt[] = { { 9, 1 }, { 3, 9 }, { 7.5, 9 }, { 6, 15 }, { 13, 6 }, { 8.5, 6 }, { 10.5, 1 } };
    painter.drawPolygon(bolt, int(std::size(bolt)));
    return QIcon(picture);
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
    QMenu *launcher = nullptr;
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
        } else if (item.group == menu::Group::LauncherMenu && launcher) {
            target = launcher;
        }
        if (item.separatorBefore)
            target->addSeparator();
        if (item.command == menu::Command::Launcher) {
            launcher = target->addMenu(item.caption);
            launcher->setEnabled(item.enabled);
            continue;
        }
        addRow(target, item);
    }
    return root;
}

QAction *PopupMenu::addRow(QMenu *menu, const menu::Item &item)
{
    QAction *action = menu->addAction(item.caption);
    action->setEnabled(item.enabled);
    action->setCheckable(item.checkable);
    action->setChecked(item.checked);
    action->setShortcut(shortCutOf(item));
    if (item.hotKeyMark)
        action->setIcon(hotKeyMark());
    const menu::Item row = item;
    connect(action, &QAction::triggered, this, [this, row] { fire(row); });
    return action;
}

void PopupMenu::fire(const menu::Item &row)
{
    if (row.command == menu::Command::LauncherEntry)
        emit entryTriggered(row.entry);
    else
        emit triggered(row.command);
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
        const QKeySequence keys = shortCutOf(item);
        if (keys.isEmpty())
            continue;
        auto *action = new QAction(window);
        action->setShortcut(keys);
        action->setShortcutContext(Qt::WindowShortcut);
        action->setEnabled(item.enabled);
        const menu::Item row = item;
        connect(action, &QAction::triggered, this, [this, row] { fire(row); });
        window->addAction(action);
        m_shortcuts << action;
    }
}

} // namespace vesk
