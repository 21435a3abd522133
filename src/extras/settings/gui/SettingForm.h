#pragma once

#include "extras/settings/SettingsDialogModel.h"

#include <QDialog>

class QLineEdit;
class QListWidget;
class QTabWidget;

namespace vesk {

class DialUpEntries;
class Messenger;
class RuleListsPage;
class SettingsDialogHost;
class SettingsStore;

// "Vesk各種設定": every setting of the program on seven pages. Not modal; it
// deletes itself when closed (hold it in a QPointer), and the host hears of
// every closing. The rules are the model's; this form lays out, mirrors the
// model into the controls and forwards what the user does.
class TSettingForm final : public QDialog
{
    Q_OBJECT
public:
    // `folder`: the program's folder, saved as Folder.
    TSettingForm(SettingsStore &store, Messenger &messenger, const DialUpEntries &dialUp,
        SettingsDialogHost &host, QString folder, QWidget *parent = nullptr);
    ~TSettingForm() override;

    const SettingsDialogModel &model() const { return m_model; }
    QTabWidget *pages() const { return m_pages; }

    void reject() override;
    // "振分け設定" shown, with a text from a message put into list `list`'s
    // entry field, for the user to add.
    void offerRule(int list, const QString &text);
    // "振分け設定" shown.
    void showRulePage();

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void bindControls();
    void bindSpecialControls();
    void connectButtons();
    void connectChoosers();
    // Enables, shows and hides the controls as the model's boxes say.
    void applyDependencies();
    void showDialEntries();
    void showRoundTime();
    void showPorts();
    void browse(const char *field, const QString &filter);

    void btnOKClick();
    void btnDefaultClick();
    void btnCheckClick();
    void btnSignInClick();
    // No closing while a connection test waits inside the dialog.
    bool testRunning() const;

    template <class W> W *control(const char *name) const;

    SettingsStore &m_store;
    Messenger &m_messenger;
    SettingsDialogHost &m_host;
    QString m_folder;
    SettingsDialogModel m_model;
    bool m_testing = false;
    bool m_placed = false;

    QTabWidget *m_pages = nullptr;
    RuleListsPage *m_rulePage = nullptr;
};

} // namespace vesk
