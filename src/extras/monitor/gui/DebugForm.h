#pragma once

#include "extras/monitor/MonitorLog.h"

#include <QElapsedTimer>
#include <QString>
#include <QWidget>

class QLabel;
class QListView;
class QPushButton;
class QStatusBar;

class QTimer;

namespace vesk {

class Clock;
class MonitorLinesModel;
class Messenger;
class ProtocolMonitor;
class SettingsStore;

// The protocol monitor window. While it exists it is the monitor's sink, so
// the sessions' Debug lines show here; closing it destroys it (it deletes
// itself: hold it in a QPointer) and Debug does nothing again.
class TDebugForm final : public QWidget
{
    Q_OBJECT
public:
    // `dataFolder`: where "履歴書込" saves its logs.
    TDebugForm(ProtocolMonitor &monitor, SettingsStore &settings, Messenger &messenger, const Clock &clock,
        QString dataFolder, QWidget *parent = nullptr);
    ~TDebugForm() override;

    // The status bar stbDebug: "TEST" while the connection test runs; a
    // download session stops after STAT while it holds any text.
    void setStatusText(const QString &text);
    QString statusText() const;

    const MonitorLog &log() const { return m_log; }
    // "CLEAR": empties the monitor (the settings dialog's "C&lear(&R)" too).
    void btnClearClick();

signals:
    void closed();

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void addEntry(const QString &text);
    // Brings the view up to the log: what came in during one turn of the
    // event loop is drawn at once, not line by line.
    void updateView();
    void btnSaveClick();
    // Detaches from the monitor and saves the position, once.
    void finish();

    ProtocolMonitor &m_monitor;
    SettingsStore &m_settings;
    Messenger &m_messenger;
    const Clock &m_clock;
    QString m_dataFolder;
    MonitorLog m_log;
    MonitorLinesModel *m_lines = nullptr;
    QTimer *m_viewUpdate = nullptr;
    QElapsedTimer m_lastViewUpdate;
    bool m_finished = false;
    bool m_placed = false; // shown at its saved place at least once

    QListView *memMon = nullptr;
    QStatusBar *stbDebug = nullptr;
    QLabel *lblStatus = nullptr;
    QPushButton *btnClear = nullptr;
    QPushButton *btnSave = nullptr;
    QPushButton *btnClose = nullptr;
};

} // namespace vesk
