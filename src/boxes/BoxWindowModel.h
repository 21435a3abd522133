#pragma once

#include "boxes/BoxDoubleClick.h"
#include "boxes/BoxGrid.h"
#include "boxes/BoxListModel.h"
#include "boxes/BoxViewReport.h"

#include <QFileSystemWatcher>
#include <QObject>
#include <QString>

#include <array>
#include <memory>
#include <optional>

namespace vesk {

class BoxHost;
class Timer;
class TimerFactory;

// The state of the box window without its widgets: the four lists, which
// list is active and which of its rows is remembered (lblStg, lblSelno),
// the selections the views report, the hints, the caption and the send
// mode noted when the window opened. Rows are numbered from 0.
class BoxWindowModel final : public QObject
{
    Q_OBJECT

public:
    // Headers are read in the background this many at a time.
    static constexpr int ReadSlice = 64;
    // Changes made to the folders by others are looked at after this pause.
    static constexpr int FolderSettleMs = 500;

    BoxWindowModel(const MessageStore &store, BoxHost &host, TimerFactory &timers, QObject *parent = nullptr);
    ~BoxWindowModel() override;

    BoxListModel &list(Grid grid) { return *m_lists[std::size_t(grid)]; }
    const BoxListModel &list(Grid grid) const { return *m_lists[std::size_t(grid)]; }
    const MessageStore &store() const { return m_store; }
    BoxHost &host() { return m_host; }

    // DevideDisp: two mailers or not (DevideON), the caption, the send mode
    // noted, every list filled, the out-box list active at its first row.
    void shown();
    // The window goes: the noted send mode is put back, the new-mail
    // indication switched off.
    void hidden();

    bool twoMailers() const { return m_twoMailers; }
    bool isVisible(Grid grid) const { return m_twoMailers || !isMailerGrid(grid); }

    // mnuReDrawClick: every list filled again from its folder.
    void refillAll();
    // Every list brought in step with its folder.
    void syncAll();
    // The sort menus and a click on the out-box list's title: every list
    // shown; a click on another title sorts that list alone.
    void sortAll(int column);
    void titleClicked(Grid grid, int column);

    // A click or key in a list: it becomes the active list and its current
    // row the remembered one.
    void setCurrent(Grid grid, int row);
    int currentRow(Grid grid) const { return m_current[std::size_t(grid)]; }
    // The selections, focus and Ctrl flag the list views report.
    BoxViewReport &viewReport() { return m_viewReport; }
    const BoxViewReport &viewReport() const { return m_viewReport; }
    std::optional<Grid> activeGrid() const { return m_active; }
    int rememberedRow() const { return m_remembered; }
    // The remembered row moved by the quick view's steps.
    void setRememberedRow(int row);
    // The window was activated: the remembered row is valid again (row 0
    // past the end; the out-box list for a mailer's list not shown).
    void activated();
    // Status bar panel 1: the file name of the remembered row.
    QString statusText() const;

    // Rows appear and go as sessions, servers and distribution change the boxes.
    void messageAdded(Box box, const QString &fileName);
    void messageRemoved(Box box, const QString &fileName);

    // No messages in any list that is shown.
    bool allEmpty() const;
    BoxDoubleClick doubleClick() const { return BoxDoubleClick(m_quickViewOpen, m_twoMailers); }
    // A cell drawn selected: the focused list draws its own selection; while
    // no list has the focus the remembered row of the active list shows. The
    // blank row of an empty list never shows selected.
    bool drawsSelected(Grid grid, int row, bool selectedInView) const;

    QString caption() const { return m_caption; }
    void setCaption(const QString &caption);

    bool quickViewOpen() const { return m_quickViewOpen; }
    void setQuickViewOpen(bool open);

    bool sendHeld() const;
    void setSendHeld(bool held);

signals:
    void rememberedRowChanged();
    void hintsChanged();
    void captionChanged(const QString &caption);
    void sendModeChanged();
    // The quick view loses what it shows (its message went).
    void quickViewClearRequested();
    // Every box is empty: the window closes.
    void closeRequested();

private:
    void clampRemembered(Grid grid);
    void readInBackground();
    void startReading();
    void watchFolders(bool watch);

    const MessageStore &m_store;
    BoxHost &m_host;
    std::array<std::unique_ptr<BoxListModel>, 4> m_lists;
    BoxViewReport m_viewReport;
    std::array<int, 4> m_current { 0, 0, 0, 0 };
    std::unique_ptr<Timer> m_reader;
    std::unique_ptr<Timer> m_folderSettle;
    QFileSystemWatcher m_folders;
    bool m_shown = false;
    bool m_twoMailers = false;
    std::optional<Grid> m_active = Grid::Send;
    int m_remembered = 0;
    bool m_quickViewOpen = false;
    bool m_notedSendHeld = false;
    QString m_caption;
};

} // namespace vesk
