#pragma once

#include "boxes/BoxCommands.h"
#include "boxes/BoxWindowLayout.h"
#include "boxes/BoxWindowModel.h"
#include "boxes/QuickViewModel.h"

#include <QMainWindow>
#include <QPointer>

#include <array>

class QFrame;
class QGridLayout;
class QLabel;
class QSplitter;
class QToolButton;

namespace vesk {

class BoxGridView;
class BoxHost;
class DevideActions;
class MessageStore;
class MessageTrash;
class Messenger;
class SettingsStore;
class TChoimiForm;
class TimerFactory;

// The send/receive box window ("送受信箱"): the four lists, the commands'
// buttons and menus, and the quick view it opens. A thin form over the
// window model and its commands; it lives on while hidden, so that the
// headers it has read stay known.
class TDevideForm final : public QMainWindow
{
    Q_OBJECT

public:
    TDevideForm(BoxHost &host, const MessageStore &store, SettingsStore &settingsStore,
        Messenger &messenger, TimerFactory &timers, MessageTrash &trash, QWidget *parent = nullptr);
    ~TDevideForm() override;

    // DevideDisp: shown and brought to the front.
    void showWindow();

    BoxWindowModel &model() { return m_model; }
    BoxCommands &commands() { return m_commands; }
    DevideActions &actions() { return *m_actions; }
    BoxGridView *grid(Grid grid) const { return m_grids[std::size_t(grid)]; }
    TChoimiForm *quickViewForm() const;
    QString statusText() const;
    bool compact() const { return m_compact; }
    bool buttonsBelow() const { return m_buttonsBelow; }

    // mnuChoimiClick: the quick view closed when open, else opened on the
    // remembered message.
    void toggleQuickView();
    // ChoimiShow
    void openQuickView();

protected:
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    QWidget *buildButtons();
    QWidget *buildLists();
    void connectCommands();
    void connectHost();
    void opening();
    void closing();
    void applyLayout(const BoxWindowLayout &layout);
    BoxWindowLayout currentLayout() const;
    void setCompact(bool compact);
    void placeButtons();
    void spreadColumns();
    void doubleClicked(Grid grid);
    void showRemembered();
    void refreshSendMode();
    void refreshHints();
    void refreshStatus();
    void refreshCommands();
    void runSend(bool keepLine);
    void openHelp(const QString &topic);
    void popup(const QPoint &globalPos);

    SettingsStore &m_settingsStore;
    Messenger &m_messenger;
    BoxHost &m_host;
    BoxWindowModel m_model;
    BoxCommands m_commands;
    QuickViewModel m_quickView;
    DevideActions *m_actions;
    std::array<BoxGridView *, 4> m_grids {};
    QSplitter *m_outer = nullptr;
    QSplitter *m_upper = nullptr;
    QSplitter *m_lower = nullptr;
    QWidget *m_buttonPanel = nullptr;
    QGridLayout *m_buttonLayout = nullptr;
    QWidget *m_basicButtons = nullptr;
    QWidget *m_devideButtons = nullptr;
    QFrame *m_bevel = nullptr;
    QLabel *m_status = nullptr;
    QPointer<TChoimiForm> m_choimi;
    bool m_open = false;
    bool m_compact = false;
    bool m_buttonsBelow = true;
    bool m_withQuickView = false;
};

} // namespace vesk
