#pragma once

#include <QWidget>

class QLabel;
class QPlainTextEdit;
class QToolButton;

namespace vesk {

class QuickViewModel;
class SettingsStore;
struct Settings;

// The quick view ("Veskちょい見"): the header lines and the first lines of the
// body of the message the box window points at, with buttons to step
// through the list, to erase the message and to start its mailer. It frees
// itself when closed and remembers its place under Disp.
class TChoimiForm final : public QWidget
{
    Q_OBJECT

public:
    TChoimiForm(
        QuickViewModel &model, SettingsStore &settingsStore, const Settings &settings, QWidget *parent);
    ~TChoimiForm() override;

    // The status bar is hidden while the box window is compact.
    void setStatusShown(bool shown);
    // The sticky-note button ("付箋貼付") is there only with the sticky notes.
    void setPelmaShown(bool shown);

    QString headerText() const;
    QString bodyText() const;
    QStringList statusTexts() const;

signals:
    // "付箋貼付": the selected text (or the whole pane) for a sticky note.
    void stickyNoteRequested(const QString &text);

protected:
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void refresh();
    void setHeaderShown(bool shown);
    QToolButton *addButton(QWidget *panel, const QString &text, const QString &tip);
    QWidget *makeLowerButtons();
    void pasteToStickyNote();

    QuickViewModel &m_model;
    SettingsStore &m_settingsStore;
    QWidget *m_buttons;
    QToolButton *m_spbHead = nullptr;
    QToolButton *m_spbPelma = nullptr;
    QToolButton *m_lowerPelma = nullptr;
    QPlainTextEdit *m_memHead;
    QPlainTextEdit *m_memChoimi;
    QWidget *m_statusBar;
    QList<QLabel *> m_panels;
};

} // namespace vesk
