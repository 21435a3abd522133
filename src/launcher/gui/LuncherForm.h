#pragma once

#include <QDialog>

#include <functional>

class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QStackedWidget;
class QTableView;

namespace vesk {

class KeyCaptureEdit;
struct LauncherEntry;
class LauncherSheetModel;
class Messenger;
class SettingsStore;

// TLuncherForm: the launcher editor. A grid of the entries, above it the
// field of the current cell (a text field, or for the short cut and the
// hot key a field that catches a key combination), and the commands: browse
// for a program, erase a row, the row count, a test start, help, cancel and
// save. The rows and the save rules are the sheet's; a test start is handed
// to whoever starts the launcher's programs.
class TLuncherForm final : public QDialog
{
    Q_OBJECT

public:
    // Starts a row's entry as a test ("テスト起動").
    using EntryTest = std::function<void(const LauncherEntry &entry)>;

    TLuncherForm(
        SettingsStore &settings, EntryTest testEntry, Messenger &messenger, QWidget *parent = nullptr);
    ~TLuncherForm() override;

    const LauncherSheetModel &model() const { return *m_model; }
    // The current cell (grid row and column).
    void selectCell(int row, int column);
    QLineEdit *macroEdit() const { return m_edtMacEdit; }
    KeyCaptureEdit *keyEdit() const { return m_htkEdit; }
    // "保存終了": saves; true (and the window closes) when no row was refused.
    bool btnOKClick();

signals:
    // "マクロ詳細(&M)".
    void helpRequested();

protected:
    void hideEvent(QHideEvent *event) override;

private:
    void currentCellChanged();
    void fieldEdited(const QString &text);
    void btnSoftClick();
    void btnRowEraseClick();
    void btnSoftTest1Click();
    void cellDoubleClicked(const QModelIndex &index);
    void rowDragged(int logical, int oldVisual, int newVisual);
    void readPosition();

    SettingsStore &m_settings;
    EntryTest m_testEntry;
    Messenger &m_messenger;
    LauncherSheetModel *m_model;
    QStackedWidget *m_fieldStack;
    QLineEdit *m_edtMacEdit;
    KeyCaptureEdit *m_htkEdit;
    QTableView *m_grid;
    QPushButton *m_btnSoft;
    QSpinBox *m_speRow;
    bool m_showingCell = false;
};

} // namespace vesk
