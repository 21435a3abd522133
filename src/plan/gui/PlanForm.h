#pragma once

#include "plan/PlanEditorModel.h"
#include "plan/PlanKeywords.h"

#include <QDialog>

class QComboBox;
class QLineEdit;
class QMenu;
class QPushButton;
class QStackedWidget;
class QTreeWidget;

namespace vesk {

class SettingsStore;

// TPlanForm "Vesk予定時間設定": the plan editor. Two pages, the one-off
// plans and the repeating plans, each a list under its column heads; the
// inputs of the entry being composed; the "定義済" keyword menu. The rules
// are the model's: the form shows its state and forwards every command.
// Its position is kept under Disp/PlanTop and Disp/PlanLeft.
class TPlanForm final : public QDialog
{
    Q_OBJECT

public:
    TPlanForm(PlanEditorModel &model, const QList<PlanKeywords::Item> &keywords, SettingsStore &store,
        QWidget *parent = nullptr);

    // For tests and screenshots.
    QTreeWidget *list(PlanEditorModel::Page page) const;
    QComboBox *modeList() const { return m_cmbMode; }
    QComboBox *weekdayList() const { return m_cmbWeek; }
    QComboBox *hourList() const { return m_cmbHour; }
    QLineEdit *commentField() const { return m_edtComment; }
    QMenu *keywordMenu() const { return m_mnuTask; }
    QPushButton *button(const QString &text) const;

signals:
    // "詳細(&H)": the help on plans.
    void helpRequested();

public slots:
    void reject() override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    using Page = PlanEditorModel::Page;

    void pull();
    void push();
    void command(const std::function<void()> &run);
    void fillList(Page page);
    QWidget *makePage(Page page);

    PlanEditorModel &m_model;
    SettingsStore &m_store;
    bool m_pushing = false;

    QPushButton *m_spbOne;
    QPushButton *m_spbEvery;
    QComboBox *m_cmbYear;
    QComboBox *m_cmbMonth;
    QComboBox *m_cmbDay;
    QComboBox *m_cmbHour;
    QComboBox *m_cmbMinute;
    QComboBox *m_cmbWeek;
    QComboBox *m_cmbMode;
    QLineEdit *m_edtComment;
    QMenu *m_mnuTask;
    QStackedWidget *m_pages;
    QTreeWidget *m_memTS0 = nullptr;
    QTreeWidget *m_memTS1 = nullptr;
};

} // namespace vesk
