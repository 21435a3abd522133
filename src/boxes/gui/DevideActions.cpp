#include "boxes/gui/DevideActions.h"

#include <QAction>
#include <QActionGroup>
#include <QMenu>
#include <QMenuBar>
#include <QWidget>

namespace vesk {

DevideActions::DevideActions(QWidget *window)
    : QObject(window)
    , m_window(window)
    , m_sendMode(new QActionGroup(this))
{
    make(ReDraw, QStringLiteral("再表示(&R)"), QKeySequence(Qt::CTRL | Qt::Key_R));
    make(SelectAll, QStringLiteral("全て選択(&A)"), QKeySequence(Qt::CTRL | Qt::Key_A));
    make(Erase, QStringLiteral("ゴミ箱行き(&G)"), QKeySequence(Qt::Key_Delete));
    make(Clean, QStringLiteral("送受信箱内全削除(&E)"));
    make(Setting, QStringLiteral("各種設定(&S)..."), QKeySequence(Qt::CTRL | Qt::Key_S));
    make(Close, QStringLiteral("閉じる(&X)"), QKeySequence(Qt::CTRL | Qt::Key_X));
    make(Receive, QStringLiteral("メーラー１起動(&M)"), QKeySequence(Qt::Key_F4));
    make(Receive2, QStringLiteral("メーラー２起動(&N)"), QKeySequence(Qt::Key_F5));
    make(Send, QStringLiteral("接-ﾁｪｯｸ-送-断(&C)"), QKeySequence(Qt::Key_F2));
    make(Send2, QStringLiteral("接-チェック-送(&O)"), QKeySequence(Qt::Key_F11));
    make(SendGo, QStringLiteral("メール即配信(&S)"), QKeySequence(Qt::ALT | Qt::Key_1))->setCheckable(true);
    make(SendStop, QStringLiteral("メールを一時蓄える(&P)"), QKeySequence(Qt::ALT | Qt::Key_2))
        ->setCheckable(true);
    m_sendMode->addAction(m_actions[SendGo]);
    m_sendMode->addAction(m_actions[SendStop]);
    make(VeskOff, QStringLiteral("Vesk ON/OFF(&V)"), QKeySequence(Qt::Key_F6));
    make(Up, QStringLiteral("上に移動(&U)"), QKeySequence(Qt::Key_4));
    make(Down1, QStringLiteral("［Ⅰ］に移動(&1)"), QKeySequence(Qt::Key_1));
    make(Down2, QStringLiteral("［Ⅱ］に移動(&2)"), QKeySequence(Qt::Key_2));
    make(Down12, QStringLiteral("１と２に移動(&3)"), QKeySequence(Qt::Key_3));
    make(Add1, QStringLiteral("自分の名前で［Ⅰ］に振分け(&5)"), QKeySequence(Qt::Key_5));
    make(Add2, QStringLiteral("自分の名前で［Ⅱ］に振分け(&6)"), QKeySequence(Qt::Key_6));
    make(Add3, QStringLiteral("相手のアドレスで［Ⅰ］に振分け(&7)"), QKeySequence(Qt::Key_7));
    make(Add4, QStringLiteral("相手のアドレスで［Ⅱ］に振分け(&8)"), QKeySequence(Qt::Key_8));
    make(ReDev, QStringLiteral("再振分(&H)"), QKeySequence(Qt::Key_Home));
    make(Choimi, QStringLiteral("メールをちょい見(&L)"), QKeySequence(Qt::CTRL | Qt::Key_L));
    make(Sort0, QStringLiteral("受信順"));
    make(Sort1, QStringLiteral("相手順"));
    make(Sort2, QStringLiteral("自分順"));
    make(Sort3, QStringLiteral("添付順"));
    make(Sort4, QStringLiteral("件名順"));
    make(Min, QStringLiteral("メニューを消す(&I)"), QKeySequence(Qt::CTRL | Qt::Key_I))->setCheckable(true);
    make(Button, QStringLiteral("振分けボタン移動(&9)"), QKeySequence(Qt::Key_9));
    make(Help, QStringLiteral("ヘルプ(&H)"), QKeySequence(Qt::Key_F1));
    make(Ten, QStringLiteral("「類」説明(&M)"), QKeySequence(Qt::CTRL | Qt::Key_M));

    m_sort = new QMenu(QStringLiteral("並べ替え(&J)"), window);
    for (Id id : { Sort0, Sort1, Sort2, Sort3, Sort4 })
        m_sort->addAction(m_actions[id]);

    m_popup = new QMenu(window);
    m_popup->addAction(m_actions[Choimi]);
    m_popup->addAction(m_actions[ReDraw]);
    m_popup->addSeparator();
    for (Id id : { Up, Down1, Down2, Down12 })
        m_popup->addAction(m_actions[id]);
    m_popup->addSeparator();
    m_popup->addAction(m_actions[Erase]);
    m_popup->addAction(m_actions[Clean]);
    m_popup->addSeparator();
    m_popup->addAction(m_actions[Ten]);
    m_popup->addAction(m_actions[Setting]);
}

QAction *DevideActions::make(Id id, const QString &text, const QKeySequence &key)
{
    auto *action = new QAction(text, this);
    action->setShortcut(key);
    action->setShortcutContext(Qt::WindowShortcut);
    action->setData(int(id));
    m_window->addAction(action);
    m_actions.insert(id, action);
    return action;
}

void DevideActions::fillMenuBar(QMenuBar *bar)
{
    m_file = bar->addMenu(QStringLiteral("ファイル(&F)"));
    for (Id id : { ReDraw, SelectAll })
        m_file->addAction(m_actions[id]);
    m_file->addSeparator();
    for (Id id : { Erase, Clean })
        m_file->addAction(m_actions[id]);
    m_file->addSeparator();
    m_file->addAction(m_actions[Setting]);
    m_file->addSeparator();
    m_file->addAction(m_actions[Close]);

    m_send = bar->addMenu(QStringLiteral("送受信(&T)"));
    for (Id id : { Receive, Receive2 })
        m_send->addAction(m_actions[id]);
    m_send->addSeparator();
    for (Id id : { Send, Send2 })
        m_send->addAction(m_actions[id]);
    m_send->addSeparator();
    for (Id id : { SendGo, SendStop })
        m_send->addAction(m_actions[id]);
    m_send->addSeparator();
    m_send->addAction(m_actions[VeskOff]);

    m_devide = bar->addMenu(QStringLiteral("振分(&D)"));
    for (Id id : { Up, Down1, Down2, Down12 })
        m_devide->addAction(m_actions[id]);
    m_devide->addSeparator();
    for (Id id : { Add1, Add2, Add3, Add4 })
        m_devide->addAction(m_actions[id]);
    m_devide->addSeparator();
    m_devide->addAction(m_actions[ReDev]);

    m_view = bar->addMenu(QStringLiteral("表示(&V)"));
    m_view->addAction(m_actions[Choimi]);
    m_view->addMenu(m_sort);
    m_view->addSeparator();
    for (Id id : { Min, Button })
        m_view->addAction(m_actions[id]);

    m_help = bar->addMenu(QStringLiteral("ヘルプ(&H)"));
    for (Id id : { Help, Ten })
        m_help->addAction(m_actions[id]);
}

} // namespace vesk
