#include "boxes/gui/DevideForm.h"

#include "boxes/BoxHost.h"
#include "boxes/gui/BoxGridView.h"
#include "boxes/gui/ChoimiForm.h"
#include "boxes/gui/DevideActions.h"
#include "platform/Messenger.h"
#include "platform/Paths.h"
#include "platform/gui/WindowPlacement.h"
#include "settings/Settings.h"

#include <QAction>
#include <QDesktopServices>
#include <QFileInfo>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QShowEvent>
#include <QSplitter>
#include <QStatusBar>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>

namespace vesk {
namespace {

using A = DevideActions;

// A speed button for an action: its own short text, the action's state.
QToolButton *makeButton(QWidget *parent, QAction *action, const QString &text, const QString &tip)
{
    auto *button = new QToolButton(parent);
    button->setText(text);
    button->setToolTip(tip);
    button->setFocusPolicy(Qt::NoFocus);
    button->setAutoRaise(false);
    button->setToolButtonStyle(Qt::ToolButtonTextOnly);
    button->setCheckable(action->isCheckable());
    const auto follow = [button, action] {
        button->setEnabled(action->isEnabled());
        button->setVisible(action->isVisible());
        if (action->isCheckable())
            button->setChecked(action->isChecked());
    };
    follow();
    QObject::connect(action, &QAction::changed, button, follow);
    QObject::connect(button, &QToolButton::clicked, action, [action, follow] {
        action->trigger();
        follow();
    });
    return button;
}

} // namespace

TDevideForm::TDevideForm(BoxHost &host, const MessageStore &store, SettingsStore &settingsStore,
    Messenger &messenger, TimerFactory &timers, MessageTrash &trash, QWidget *parent)
    : QMainWindow(parent)
    , m_settingsStore(settingsStore)
    , m_messenger(messenger)
    , m_host(host)
    , m_model(store, m_host, timers)
    , m_commands(m_model, messenger, trash)
    , m_quickView(m_model, m_commands, messenger, trash, timers)
    , m_actions(new DevideActions(this))
{
    setObjectName(QStringLiteral("TDevideForm"));
    setWindowTitle(QStringLiteral("送受信箱"));
    m_actions->fillMenuBar(menuBar());

    auto *central = new QWidget(this);
    auto *column = new QVBoxLayout(central);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    m_bevel = new QFrame(central);
    m_bevel->setFrameShape(QFrame::HLine);
    m_bevel->setFrameShadow(QFrame::Sunken);
    column->addWidget(m_bevel);
    column->addWidget(buildButtons());
    column->addWidget(buildLists(), 1);
    setCentralWidget(central);

    m_status = new QLabel(this);
    m_status->setTextInteractionFlags(Qt::TextSelectableByMouse);
    statusBar()->addWidget(m_status, 1);
    statusBar()->setSizeGripEnabled(true);

    connectCommands();
    connectHost();
}

TDevideForm::~TDevideForm()
{
    if (m_choimi)
        delete m_choimi;
}

QWidget *TDevideForm::buildButtons()
{
    m_buttonPanel = new QWidget(this);
    m_buttonLayout = new QGridLayout(m_buttonPanel);
    m_buttonLayout->setContentsMargins(1, 2, 1, 2);
    m_buttonLayout->setSpacing(2);

    m_basicButtons = new QWidget(m_buttonPanel);
    auto *basic = new QHBoxLayout(m_basicButtons);
    basic->setContentsMargins(0, 0, 0, 0);
    basic->setSpacing(0);
    const A &a = *m_actions;
    basic->addWidget(makeButton(m_basicButtons, a[A::Erase], QStringLiteral("ゴミ箱"),
        QStringLiteral("選択したメールをゴミ箱へ (Delete)")));
    basic->addWidget(makeButton(m_basicButtons, a[A::Choimi], QStringLiteral("ちょい見"),
        QStringLiteral("メールをちょい見 (Ctrl+L)")));
    auto *seiretu = new QToolButton(m_basicButtons);
    seiretu->setObjectName(QStringLiteral("spbSeiretu"));
    seiretu->setText(QStringLiteral("整列"));
    seiretu->setToolTip(QStringLiteral("並べ替え"));
    seiretu->setFocusPolicy(Qt::NoFocus);
    seiretu->setMenu(m_actions->sortMenu());
    seiretu->setPopupMode(QToolButton::InstantPopup);
    basic->addWidget(seiretu);
    basic->addSpacing(2);
    basic->addWidget(makeButton(
        m_basicButtons, a[A::Receive], QStringLiteral("メーラー1"), QStringLiteral("メーラー１起動 (F4)")));
    basic->addWidget(makeButton(
        m_basicButtons, a[A::Receive2], QStringLiteral("メーラー2"), QStringLiteral("メーラー２起動 (F5)")));
    basic->addWidget(makeButton(
        m_basicButtons, a[A::Send], QStringLiteral("送受信"), QStringLiteral("接-ﾁｪｯｸ-送-断 (F2)")));
    // Only in dial-up mode: elsewhere the button would only take room.
    QToolButton *send2 = makeButton(
        m_basicButtons, a[A::Send2], QStringLiteral("送受信･続"), QStringLiteral("接-チェック-送 (F11)"));
    const auto showSend2 = [send2, action = a[A::Send2]] { send2->setVisible(action->isEnabled()); };
    showSend2();
    connect(a[A::Send2], &QAction::changed, send2, showSend2);
    basic->addWidget(send2);
    basic->addSpacing(2);
    basic->addWidget(makeButton(m_basicButtons, a[A::SendGo], QStringLiteral("即配信"),
        QStringLiteral("メーラーからのメールを即配信 (Alt+1)")));
    basic->addWidget(makeButton(m_basicButtons, a[A::SendStop], QStringLiteral("蓄える"),
        QStringLiteral("メーラーからのメールを一時蓄える (Alt+2)")));
    basic->addSpacing(2);
    basic->addWidget(makeButton(
        m_basicButtons, a[A::VeskOff], QStringLiteral("OFF"), QStringLiteral("動画表示を止めます(ESC)")));
    basic->addWidget(makeButton(
        m_basicButtons, a[A::Min], QStringLiteral("▲"), QStringLiteral("メニューを消す/出す (Ctrl+I)")));
    basic->addWidget(
        makeButton(m_basicButtons, a[A::Close], QStringLiteral("閉じる"), QStringLiteral("閉じる (Ctrl+X)")));
    basic->addStretch(1);

    m_devideButtons = new QWidget(m_buttonPanel);
    auto *devide = new QHBoxLayout(m_devideButtons);
    devide->setContentsMargins(0, 0, 0, 0);
    devide->setSpacing(1);
    devide->addWidget(
        makeButton(m_devideButtons, a[A::Up], QStringLiteral("↑"), QStringLiteral("上に移動 (4)")));
    devide->addWidget(
        makeButton(m_devideButtons, a[A::Down1], QStringLiteral("→Ⅰ"), QStringLiteral("［Ⅰ］に移動 (1)")));
    devide->addWidget(
        makeButton(m_devideButtons, a[A::Down2], QStringLiteral("→Ⅱ"), QStringLiteral("［Ⅱ］に移動 (2)")));
    devide->addWidget(
        makeButton(m_devideButtons, a[A::Down12], QStringLiteral("→ⅠⅡ"), QStringLiteral("１と２に移動 (3)")));
    devide->addSpacing(4);
    devide->addWidget(makeButton(
        m_devideButtons, a[A::Add1], QStringLiteral("自Ⅰ"), QStringLiteral("自分の名前で［Ⅰ］に振分け (5)")));
    devide->addWidget(makeButton(
        m_devideButtons, a[A::Add2], QStringLiteral("自Ⅱ"), QStringLiteral("自分の名前で［Ⅱ］に振分け (6)")));
    devide->addWidget(makeButton(m_devideButtons, a[A::Add3], QStringLiteral("相Ⅰ"),
        QStringLiteral("相手のアドレスで［Ⅰ］に振分け (7)")));
    devide->addWidget(makeButton(m_devideButtons, a[A::Add4], QStringLiteral("相Ⅱ"),
        QStringLiteral("相手のアドレスで［Ⅱ］に振分け (8)")));
    devide->addSpacing(4);
    devide->addWidget(
        makeButton(m_devideButtons, a[A::ReDev], QStringLiteral("再振分"), QStringLiteral("再振分 (Home)")));
    devide->addWidget(makeButton(
        m_devideButtons, a[A::Button], QStringLiteral("⇅"), QStringLiteral("振分けボタン移動 (9)")));
    devide->addStretch(1);
    placeButtons();
    return m_buttonPanel;
}

QWidget *TDevideForm::buildLists()
{
    m_outer = new QSplitter(Qt::Vertical, this);
    m_upper = new QSplitter(Qt::Vertical, m_outer);
    m_lower = new QSplitter(Qt::Vertical, m_outer);
    for (QSplitter *splitter : { m_outer, m_upper, m_lower }) {
        splitter->setChildrenCollapsible(false);
        splitter->setHandleWidth(4);
    }
    for (Grid grid : AllGrids) {
        auto *view
            = new BoxGridView(grid, m_model, grid == Grid::Send || grid == Grid::Receive ? m_upper : m_lower);
        m_grids[std::size_t(grid)] = view;
        (grid == Grid::Send || grid == Grid::Receive ? m_upper : m_lower)->addWidget(view);
        connect(view, &BoxGridView::titleClicked, this,
            [this, grid](int column) { m_model.titleClicked(grid, column); });
        connect(view, &BoxGridView::rowDoubleClicked, this, [this, grid] { doubleClicked(grid); });
        connect(view, &BoxGridView::droppedFrom, this, [this, grid](Grid source) {
            if (m_model.activeGrid() != source)
                m_model.setCurrent(source, m_model.currentRow(source));
            m_commands.dropOn(grid);
        });
        connect(view, &BoxGridView::escapePressed, this, [this] { m_commands.escape(); });
        connect(view, &BoxGridView::previewKey, this, [this] {
            if (m_model.quickViewOpen())
                m_quickView.choimi();
        });
        connect(view, &BoxGridView::contextMenuWanted, this, &TDevideForm::popup);
        connect(view, &BoxGridView::characterTyped, this, [this](QChar c) { m_host.keyTyped(c); });
        connect(&m_model.list(grid), &QAbstractItemModel::dataChanged, this, &TDevideForm::refreshStatus);
    }
    // The out-box list keeps its height; the lower lists share theirs.
    m_grids[0]->setMinimumHeight(20);
    m_grids[3]->setMinimumHeight(4);
    m_upper->setStretchFactor(0, 0);
    m_upper->setStretchFactor(1, 1);
    m_lower->setStretchFactor(0, 1);
    m_lower->setStretchFactor(1, 0);
    // Column widths set on the out-box list spread to the others (ColAdj).
    connect(m_grids[0]->horizontalHeader(), &QHeaderView::sectionResized, this, [this](int column) {
        if (column >= 1 && column <= 3)
            spreadColumns();
    });
    return m_outer;
}

void TDevideForm::connectCommands()
{
    const A &a = *m_actions;
    const auto on = [this, &a](A::Id id, auto slot) { connect(a[id], &QAction::triggered, this, slot); };
    on(A::ReDraw, [this] {
        m_model.refillAll();
        showRemembered();
    });
    on(A::SelectAll, [this] {
        if (const std::optional<Grid> active = m_model.activeGrid())
            grid(*active)->selectAll();
    });
    on(A::Erase, [this] { m_commands.erase(); });
    on(A::Clean, [this] { m_commands.cleanAll(); });
    on(A::Setting, [this] { m_host.openSettings(m_model.twoMailers()); });
    on(A::Close, [this] { close(); });
    on(A::Receive, [this] { m_commands.launchMailer(1); });
    on(A::Receive2, [this] { m_commands.launchMailer(2); });
    on(A::Send, [this] { runSend(false); });
    on(A::Send2, [this] { runSend(true); });
    on(A::SendGo, [this] { m_model.setSendHeld(false); });
    on(A::SendStop, [this] { m_model.setSendHeld(true); });
    on(A::VeskOff, [this] { m_commands.toggleIndication(); });
    on(A::Up, [this] { m_commands.move(0); });
    on(A::Down1, [this] { m_commands.move(1); });
    on(A::Down2, [this] { m_commands.move(2); });
    on(A::Down12, [this] { m_commands.move(3); });
    on(A::Add1, [this] { m_commands.ruleFromMessage(1); });
    on(A::Add2, [this] { m_commands.ruleFromMessage(2); });
    on(A::Add3, [this] { m_commands.ruleFromMessage(3); });
    on(A::Add4, [this] { m_commands.ruleFromMessage(4); });
    on(A::ReDev, [this] { m_commands.redistribute(); });
    on(A::Choimi, [this] { toggleQuickView(); });
    for (int column = 0; column < BoxListModel::ColumnCount; ++column)
        on(A::Id(A::Sort0 + column), [this, column] { m_model.sortAll(column); });
    on(A::Min, [this] { setCompact(!m_compact); });
    on(A::Button, [this] {
        m_buttonsBelow = !m_buttonsBelow;
        placeButtons();
    });
    on(A::Help, [this] { openHelp(QString()); });
    on(A::Ten, [this] { openHelp(QStringLiteral("kind")); });

    connect(&m_model, &BoxWindowModel::rememberedRowChanged, this, &TDevideForm::showRemembered);
    connect(&m_model, &BoxWindowModel::hintsChanged, this, &TDevideForm::refreshHints);
    connect(&m_model, &BoxWindowModel::sendModeChanged, this, &TDevideForm::refreshSendMode);
    connect(&m_model, &BoxWindowModel::captionChanged, this, &QWidget::setWindowTitle);
    connect(&m_model, &BoxWindowModel::closeRequested, this, &QWidget::close);
    connect(&m_model, &BoxWindowModel::quickViewClearRequested, &m_quickView, &QuickViewModel::clear);
}

void TDevideForm::connectHost()
{
    connect(&m_host, &BoxHost::messageAdded, this, [this](Box box, const QString &fileName) {
        if (m_open)
            m_model.messageAdded(box, fileName);
    });
    connect(&m_host, &BoxHost::messageRemoved, this, [this](Box box, const QString &fileName) {
        if (m_open)
            m_model.messageRemoved(box, fileName);
    });
    connect(&m_host, &BoxHost::captionChanged, this, [this](const QString &caption) {
        if (m_open)
            m_model.setCaption(caption);
    });
    connect(&m_host, &BoxHost::closeRequested, this, [this] {
        if (m_open)
            close();
    });
    connect(&m_host, &BoxHost::settingsChanged, this, [this] {
        if (m_open)
            refreshCommands();
    });
}

void TDevideForm::showWindow()
{
    show();
    raise();
    activateWindow();
}

void TDevideForm::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    if (!m_open && !event->spontaneous())
        opening();
}

void TDevideForm::hideEvent(QHideEvent *event)
{
    QMainWindow::hideEvent(event);
    if (m_open && !event->spontaneous())
        closing();
}

void TDevideForm::opening()
{
    m_open = true;
    const BoxWindowLayout layout = BoxWindowLayout::read(m_settingsStore);
    m_model.shown();
    refreshCommands();
    applyLayout(layout);
    refreshHints();
    refreshSendMode();
    m_host.setBoxWindowOpen(true);
    grid(Grid::Send)->setFocus(Qt::OtherFocusReason);
    showRemembered();
    if (layout.withQuickView)
        openQuickView();
}

void TDevideForm::closing()
{
    m_open = false;
    m_host.setBoxWindowOpen(false);
    if (!isMaximized())
        currentLayout().write(m_settingsStore, m_model.twoMailers());
    if (m_choimi)
        m_choimi->close();
    m_model.hidden();
}

void TDevideForm::applyLayout(const BoxWindowLayout &layout)
{
    const bool two = m_model.twoMailers();
    m_compact = layout.compact;
    m_buttonsBelow = layout.buttonsBelow;
    m_withQuickView = layout.withQuickView;
    m_lower->setVisible(two);
    m_devideButtons->setVisible(two);
    for (Grid grid : AllGrids) {
        BoxGridView *view = this->grid(grid);
        view->setColumnWidth(1, std::max(8, layout.columnA));
        view->setColumnWidth(2, std::max(8, layout.columnB));
        view->setColumnWidth(3, std::max(8, layout.columnC));
    }
    setCompact(m_compact);
    placeButtons();
    const int upper = std::max(30, layout.upperHeight);
    const int lower = two ? std::max(30, layout.lowerHeight) : 0;
    m_upper->setSizes({ std::clamp(layout.sendHeight, 20, upper - 10),
        upper - std::clamp(layout.sendHeight, 20, upper - 10) });
    if (two) {
        const int receive2 = std::clamp(layout.receive2Height, 4, lower - 10);
        m_lower->setSizes({ lower - receive2, receive2 });
        m_outer->setSizes({ upper, lower });
    }
    int height = upper + lower + m_outer->handleWidth() * (two ? 1 : 0) + m_buttonPanel->sizeHint().height();
    if (!m_compact)
        height += menuBar()->sizeHint().height() + statusBar()->sizeHint().height()
            + m_bevel->sizeHint().height();
    // The buttons just shown or hidden count for the smallest width.
    m_basicButtons->layout()->activate();
    m_buttonLayout->activate();
    QMainWindow::layout()->activate();
    resize(std::max(200, layout.width), height);
    windowplace::restore(this, QPoint(layout.left, layout.top));
    spreadColumns();
}

BoxWindowLayout TDevideForm::currentLayout() const
{
    BoxWindowLayout layout;
    const QPoint place = windowplace::savedTopLeft(this);
    layout.top = place.y();
    layout.left = place.x();
    layout.width = width();
    const QHeaderView *titles = grid(Grid::Send)->horizontalHeader();
    layout.columnA = titles->sectionSize(1);
    layout.columnB = titles->sectionSize(2);
    layout.columnC = titles->sectionSize(3);
    const QList<int> upper = m_upper->sizes();
    const QList<int> outer = m_outer->sizes();
    const QList<int> lower = m_lower->sizes();
    layout.sendHeight = upper.value(0);
    layout.upperHeight = m_model.twoMailers() ? outer.value(0) : m_upper->height();
    layout.lowerHeight = outer.value(1);
    layout.receive2Height = lower.value(1);
    layout.compact = m_compact;
    layout.buttonsBelow = m_buttonsBelow;
    layout.withQuickView = m_withQuickView;
    return layout;
}

void TDevideForm::setCompact(bool compact)
{
    m_compact = compact;
    m_actions->operator[](A::Min)->setChecked(compact);
    menuBar()->setVisible(!compact);
    statusBar()->setVisible(!compact);
    m_bevel->setVisible(!compact);
    for (Grid grid : { Grid::Receive, Grid::Receive1, Grid::Receive2 })
        this->grid(grid)->setTitleShown(!compact);
    spreadColumns();
}

void TDevideForm::placeButtons()
{
    if (!m_buttonLayout)
        return;
    // Side by side only where both rows fit.
    const bool fits = m_basicButtons->sizeHint().width() + m_devideButtons->sizeHint().width() + 4 <= width();
    const bool below = m_buttonsBelow || (m_model.twoMailers() && !fits);
    m_buttonLayout->removeWidget(m_basicButtons);
    m_buttonLayout->removeWidget(m_devideButtons);
    m_buttonLayout->addWidget(m_basicButtons, 0, 0);
    if (below)
        m_buttonLayout->addWidget(m_devideButtons, 1, 0);
    else
        m_buttonLayout->addWidget(m_devideButtons, 0, 1);
}

void TDevideForm::spreadColumns()
{
    const QHeaderView *titles = grid(Grid::Send)->horizontalHeader();
    for (Grid grid : { Grid::Receive, Grid::Receive1, Grid::Receive2 }) {
        BoxGridView *view = this->grid(grid);
        for (int column = 1; column <= 3; ++column) {
            if (view->columnWidth(column) != titles->sectionSize(column))
                view->setColumnWidth(column, titles->sectionSize(column));
        }
    }
}

void TDevideForm::resizeEvent(QResizeEvent *event)
{
    QMainWindow::resizeEvent(event);
    placeButtons();
}

void TDevideForm::changeEvent(QEvent *event)
{
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow() && m_open) {
        m_model.activated();
        if (const std::optional<Grid> active = m_model.activeGrid())
            grid(*active)->setFocus(Qt::ActiveWindowFocusReason);
    }
}

void TDevideForm::showRemembered()
{
    const std::optional<Grid> active = m_model.activeGrid();
    if (active && m_open)
        grid(*active)->showRow(m_model.rememberedRow());
    refreshStatus();
    for (BoxGridView *view : m_grids)
        view->viewport()->update();
}

void TDevideForm::refreshStatus()
{
    m_status->setText(m_model.statusText());
}

TChoimiForm *TDevideForm::quickViewForm() const
{
    return m_choimi;
}

QString TDevideForm::statusText() const
{
    return m_status->text();
}

void TDevideForm::refreshHints()
{
    for (Grid grid : AllGrids)
        this->grid(grid)->setToolTip(m_model.doubleClick().hint(grid));
}

void TDevideForm::refreshSendMode()
{
    const bool held = m_model.sendHeld();
    (*m_actions)[A::SendGo]->setChecked(!held);
    (*m_actions)[A::SendStop]->setChecked(held);
}

void TDevideForm::refreshCommands()
{
    const bool two = m_model.twoMailers();
    const A &a = *m_actions;
    a[A::Receive2]->setVisible(two);
    a[A::Send2]->setEnabled(m_host.settings().DialMode > 0);
    m_actions->devideMenu()->setEnabled(two);
    // Their keys work without the menu: off, they cannot reach a box not shown.
    for (A::Id id :
        { A::Down1, A::Down2, A::Down12, A::Add1, A::Add2, A::Add3, A::Add4, A::ReDev, A::Button })
        a[id]->setEnabled(two);
}

void TDevideForm::runSend(bool keepLine)
{
    m_buttonPanel->setEnabled(false);
    m_commands.send(keepLine);
    m_buttonPanel->setEnabled(true);
}

void TDevideForm::doubleClicked(Grid grid)
{
    switch (m_model.doubleClick().action(grid)) {
    case BoxDoubleClick::Action::OpenQuickView:
        openQuickView();
        m_quickView.choimi();
        break;
    case BoxDoubleClick::Action::ShowInQuickView:
        m_quickView.choimi();
        break;
    case BoxDoubleClick::Action::Mailer1:
        m_commands.launchMailer(1);
        break;
    case BoxDoubleClick::Action::Mailer2:
        m_commands.launchMailer(2);
        break;
    }
}

void TDevideForm::openQuickView()
{
    if (!m_choimi) {
        m_choimi = new TChoimiForm(m_quickView, m_settingsStore, m_host.settings(), this);
        m_choimi->setStatusShown(!m_compact);
        m_choimi->setPelmaShown(m_host.settings().PelmaItemsEnabled);
        connect(m_choimi, &TChoimiForm::stickyNoteRequested, this,
            [this](const QString &text) { m_host.sendToStickyNote(text); });
    }
    m_quickView.setOpen(true);
    m_choimi->show();
}

void TDevideForm::toggleQuickView()
{
    if (m_choimi && m_choimi->isVisible()) {
        m_choimi->close();
        return;
    }
    openQuickView();
    m_quickView.choimi();
}

void TDevideForm::openHelp(const QString &topic)
{
    const QString page = paths::shippedDir() + QStringLiteral("/help/index.html");
    QUrl url = QUrl::fromLocalFile(page);
    if (!topic.isEmpty())
        url.setFragment(topic);
    if (!QFileInfo::exists(page) || !QDesktopServices::openUrl(url))
        m_messenger.message(QStringLiteral("ヘルプを開けません。\r\n") + page);
}

void TDevideForm::popup(const QPoint &globalPos)
{
    m_actions->popupMenu()->popup(globalPos);
}

} // namespace vesk
