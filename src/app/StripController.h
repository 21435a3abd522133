#pragma once

#include "display/DisplayState.h"
#include "display/StripRules.h"

#include <QObject>
#include <QString>

namespace vesk {

class GlobalAtoms;
class SettingsStore;
struct CoreServices;
struct Settings;

// The strip's display: its mode and labels (DispSet), the layout chosen
// from them, the display menu's flags and position, the marker and the plan
// alert that stands on it. The strip and the tray draw from its signals.
class StripController final : public QObject
{
    Q_OBJECT

public:
    // Present while an announcement (new mail or a plan alert) waits.
    static inline const QString TalkedAtom = QStringLiteral("VeskTalked");

    // What the strip asks of the resident program around it.
    class Program
    {
    public:
        virtual ~Program() = default;
        // The settings as last read, and their change told to the windows.
        virtual Settings &settings() = 0;
        virtual void settingsChanged() = 0;
        virtual bool closeRequested() const = 0;
        // The new-mail indication.
        virtual bool mailWaiting() const = 0;
        virtual bool mailAnnounced() const = 0;
        virtual bool animationRunning() const = 0;
        // The dial-up line and its panel.
        virtual bool connected() const = 0;
        virtual bool dialPanelShown() const = 0;
        virtual void stopConnectTimer() = 0;
        virtual bool calendarOpen() const = 0;
        // Every setting was erased: nothing is written any more.
        virtual bool settingsErased() const = 0;
        // The strip changed its layout; "付箋紙(&7)" was toggled.
        virtual void layoutChanged(StripLayout before, StripLayout now) = 0;
        virtual void stickyNoteOptionChanged() = 0;
        virtual void planAlertAcknowledged() = 0;
    };

    StripController(const CoreServices &core, SettingsStore &settingsStore, GlobalAtoms &atoms,
        Program &program, QObject *parent = nullptr);
    ~StripController() override;

    // --- Commands ---

    // A display menu flag (tags 1-7: 和暦, 西暦, 月日, 週, 時間, the close
    // button, 付箋紙) toggled and written at once.
    void toggleDisplayFlag(int tag);
    // The position mode (0 free, 1 top left, 2 top centre, 3 fixed), written.
    void setPositionMode(int mode);
    // PosWrite: the strip's position, written.
    void savePosition(int left, int top);
    // A plan falls due: its alert stands on the strip until "Saw".
    void showPlanAlert(const QString &time, const QString &comment);
    // spbOKClick on "Saw": the plan alert is acknowledged.
    void acknowledgePlanAlert();
    // The display mode others ask for.
    void DispSet(int mode);

    // --- State ---

    const DisplayState &display() const { return m_display; }
    DisplayState &display() { return m_display; }
    // The strip's layout and the states it was chosen from.
    StripLayout layout() const { return m_layout; }
    StripState stripState() const;
    // Whether the strip is to be seen (hidden mode shows it only while it
    // has more than its title bar to show).
    bool stripVisible() const;
    // The tray shows the mail picture (from the new-mail display until the
    // mail is taken or acknowledged).
    bool trayShowsMail() const { return m_display.mailColour(); }
    QString marker() const;

signals:
    // The strip's display: mode, date and time labels, the mail colour.
    void displayChanged();
    void markerChanged(const QString &marker);

private:
    const CoreServices &m_core;
    SettingsStore &m_settingsStore;
    GlobalAtoms &m_atoms;
    Program &m_program;
    DisplayState m_display;
    StripLayout m_layout = StripLayout::Normal;
};

} // namespace vesk
