#include "plan/gui/PlanForm.h"

#include "platform/gui/WindowPlacement.h"
#include "settings/SettingsStore.h"
#include "settings/SettingsTable.h"

#include <QComboBox>
#include <QFontDatabase>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QStackedWidget>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace vesk {
namespace {

QComboBox *makeList(QWidget *parent, const QStringList &items, bool editable)
{
    auto *combo = new QComboBox(parent);
    combo->addItems(items);
    combo->setEditable(editable);
    if (editable)
        combo->setInsertPolicy(QComboBox::NoInsert);
    combo->setMaxVisibleItems(12);
    return combo;
}

void setText(QComboBox *combo, const QString &text)
{
    const int index = combo->findText(text);
    if (index >= 0)
        combo->setCurrentIndex(index);
    combo->setEditText(text);
}

} // namespace

TPlanForm::TPlanForm(
    PlanEditorModel &model, const QList<PlanKeywords::Item> &keywords, SettingsStore &store, QWidget *parent)
    : QDialog(parent)
    , m_model(model)
    , m_store(store)
    , m_spbOne(new QPushButton(QStringLiteral("一度だけ知らせる予定(&O)"), this))
    , m_spbEvery(new QPushButton(QStringLiteral("毎回知らせる予定(&E)"), this))
    , m_cmbYear(makeList(this, model.yearItems(), true))
    , m_cmbMonth(makeList(this, PlanEditorModel::monthItems(), true))
    , m_cmbDay(makeList(this, PlanEditorModel::dayItems(), true))
    , m_cmbHour(makeList(this, PlanEditorModel::hourItems(), true))
    , m_cmbMinute(makeList(this, PlanEditorModel::minuteItems(), true))
    , m_cmbWeek(makeList(this, PlanEditorModel::weekdayItems(), false))
    , m_cmbMode(makeList(this, PlanEditorModel::modeItems(), false))
    , m_edtComment(new QLineEdit(this))
    , m_mnuTask(new QMenu(this))
    , m_pages(new QStackedWidget(this))
{
    setObjectName(QStringLiteral("TPlanForm"));
    setWindowTitle(QStringLiteral("Vesk予定時間設定"));
    for (QPushButton *page : { m_spbOne, m_spbEvery }) {
        page->setCheckable(true);
        page->setAutoDefault(false);
    }

    auto *inputs = new QGridLayout;
    inputs->setHorizontalSpacing(4);
    const QList<std::pair<const char16_t *, QWidget *>> fields = {
        { u"年", m_cmbYear },
        { u"月", m_cmbMonth },
        { u"日", m_cmbDay },
        { u"時", m_cmbHour },
        { u"分", m_cmbMinute },
        { u"曜日", m_cmbWeek },
        { u"モード", m_cmbMode },
    };
    for (int i = 0; i < fields.size(); ++i) {
        inputs->addWidget(new QLabel(QString::fromUtf16(fields[i].first), this), 0, i);
        inputs->addWidget(fields[i].second, 1, i);
    }
    for (QComboBox *narrow : { m_cmbMonth, m_cmbDay, m_cmbHour, m_cmbMinute })
        narrow->setMinimumContentsLength(2);
    // The combo box has the focus and the keys; its line edit only hears
    // them from it.
    for (QComboBox *field : { m_cmbYear, m_cmbMonth, m_cmbDay, m_cmbHour, m_cmbMinute })
        field->installEventFilter(this);
    m_cmbYear->setMinimumContentsLength(4);
    m_cmbWeek->setMinimumContentsLength(6);

    auto *clear = new QPushButton(QStringLiteral("クリア"), this);
    auto *task = new QPushButton(QStringLiteral("定義済"), this);
    auto *add = new QPushButton(QStringLiteral("追加"), this);
    for (QPushButton *b : { clear, task, add })
        b->setAutoDefault(false);
    for (const PlanKeywords::Item &item : keywords) {
        if (item.separatorBefore)
            m_mnuTask->addSeparator();
        const QString comment = item.comment;
        QAction *action = m_mnuTask->addAction(item.caption);
        connect(action, &QAction::triggered, this,
            [this, comment] { command([this, comment] { m_model.chooseKeyword(comment); }); });
    }
    auto *commentRow = new QHBoxLayout;
    commentRow->addWidget(new QLabel(QStringLiteral("コメント"), this));
    commentRow->addWidget(m_edtComment, 1);
    commentRow->addWidget(clear);
    commentRow->addWidget(task);
    commentRow->addWidget(add);

    m_pages->addWidget(makePage(Page::One));
    m_pages->addWidget(makePage(Page::Every));

    auto *pageRow = new QHBoxLayout;
    pageRow->addWidget(m_spbOne);
    pageRow->addWidget(m_spbEvery);
    pageRow->addStretch(1);

    auto *help = new QPushButton(QStringLiteral("詳細(&H)"), this);
    auto *ok = new QPushButton(QStringLiteral("保存終了"), this);
    auto *cancel = new QPushButton(QStringLiteral("キャンセル"), this);
    help->setAutoDefault(false);
    cancel->setAutoDefault(false);
    ok->setDefault(true);
    auto *bottom = new QHBoxLayout;
    bottom->addWidget(help);
    bottom->addStretch(1);
    bottom->addWidget(ok);
    bottom->addWidget(cancel);

    auto *column = new QVBoxLayout(this);
    column->addLayout(pageRow);
    column->addLayout(inputs);
    column->addLayout(commentRow);
    column->addWidget(m_pages, 1);
    column->addLayout(bottom);

    connect(m_spbOne, &QPushButton::clicked, this, [this] { command([this] { m_model.showOne(); }); });
    connect(m_spbEvery, &QPushButton::clicked, this, [this] { command([this] { m_model.showEvery(); }); });
    connect(m_cmbMode, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (!m_pushing)
            command([this, index] { m_model.modeChanged(index); });
    });
    connect(add, &QPushButton::clicked, this, [this] { command([this] { m_model.add(); }); });
    connect(clear, &QPushButton::clicked, this, [this] { command([this] { m_model.clearComment(); }); });
    connect(task, &QPushButton::clicked, this,
        [this, task] { m_mnuTask->popup(task->mapToGlobal(QPoint(0, task->height()))); });
    connect(help, &QPushButton::clicked, this, &TPlanForm::helpRequested);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(ok, &QPushButton::clicked, this, [this] {
        pull();
        const bool saved = m_model.save();
        push();
        if (saved)
            accept();
    });
    push();
    resize(sizeHint().width(), 360);
}

QWidget *TPlanForm::makePage(Page page)
{
    auto *widget = new QWidget(m_pages);
    auto *list = new QTreeWidget(widget);
    list->setObjectName(page == Page::One ? QStringLiteral("memTS0") : QStringLiteral("memTS1"));
    list->setHeaderLabels({ QStringLiteral("年月日"), QStringLiteral("時間"), QStringLiteral("順位"),
        QStringLiteral("モード"), QStringLiteral("曜日"), QStringLiteral("コメント") });
    list->setRootIsDecorated(false);
    list->setUniformRowHeights(true);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    list->header()->setStretchLastSection(true);
    list->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    (page == Page::One ? m_memTS0 : m_memTS1) = list;

    auto *modify = new QPushButton(QStringLiteral("修正"), widget);
    auto *erase = new QPushButton(QStringLiteral("削除"), widget);
    modify->setAutoDefault(false);
    erase->setAutoDefault(false);
    auto *buttons = new QVBoxLayout;
    buttons->addWidget(modify);
    buttons->addWidget(erase);
    buttons->addStretch(1);
    auto *row = new QHBoxLayout(widget);
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(list, 1);
    row->addLayout(buttons);

    connect(list, &QTreeWidget::itemSelectionChanged, this, [this, list, page] {
        if (!m_pushing)
            m_model.select(page, list->indexOfTopLevelItem(list->currentItem()));
    });
    connect(list, &QTreeWidget::itemDoubleClicked, this,
        [this, page] { command([this, page] { m_model.modify(page); }); });
    connect(modify, &QPushButton::clicked, this,
        [this, page] { command([this, page] { m_model.modify(page); }); });
    connect(
        erase, &QPushButton::clicked, this, [this, page] { command([this, page] { m_model.erase(page); }); });
    return widget;
}

QTreeWidget *TPlanForm::list(PlanEditorModel::Page page) const
{
    return page == Page::One ? m_memTS0 : m_memTS1;
}

QPushButton *TPlanForm::button(const QString &text) const
{
    for (QPushButton *b : findChildren<QPushButton *>()) {
        if (b->text() == text)
            return b;
    }
    return nullptr;
}

void TPlanForm::command(const std::function<void()> &run)
{
    pull();
    run();
    push();
}

void TPlanForm::pull()
{
    PlanEditorModel::Inputs in;
    in.year = m_cmbYear->currentText();
    in.month = m_cmbMonth->currentText();
    in.day = m_cmbDay->currentText();
    in.hour = m_cmbHour->currentText();
    in.minute = m_cmbMinute->currentText();
    in.weekday = std::max(m_cmbWeek->currentIndex(), 0);
    in.mode = std::max(m_cmbMode->currentIndex(), 0);
    in.comment = m_edtComment->text();
    m_model.setInputs(in);
}

void TPlanForm::push()
{
    m_pushing = true;
    const PlanEditorModel::Inputs &in = m_model.inputs();
    const PlanEditorModel::Enabled &on = m_model.enabled();
    setText(m_cmbYear, in.year);
    setText(m_cmbMonth, in.month);
    setText(m_cmbDay, in.day);
    setText(m_cmbHour, in.hour);
    setText(m_cmbMinute, in.minute);
    m_cmbWeek->setCurrentIndex(in.weekday);
    m_cmbMode->setCurrentIndex(in.mode);
    m_edtComment->setText(in.comment);
    m_cmbYear->setEnabled(on.year);
    m_cmbMonth->setEnabled(on.month);
    m_cmbDay->setEnabled(on.day);
    m_cmbHour->setEnabled(on.hour);
    m_cmbMinute->setEnabled(on.minute);
    m_cmbWeek->setEnabled(on.weekday);
    m_cmbMode->setEnabled(on.mode);

    const bool one = m_model.page() == Page::One;
    m_spbOne->setChecked(one);
    m_spbEvery->setChecked(!one);
    m_pages->setCurrentIndex(one ? 0 : 1);
    fillList(Page::One);
    fillList(Page::Every);
    m_pushing = false;
}

void TPlanForm::fillList(Page page)
{
    QTreeWidget *tree = list(page);
    tree->clear();
    for (const QString &line : m_model.list(page)) {
        tree->addTopLevelItem(new QTreeWidgetItem(PlanEditorModel::columns(line)));
    }
    const int selected = m_model.selected(page);
    if (selected >= 0)
        tree->setCurrentItem(tree->topLevelItem(selected));
}

void TPlanForm::reject()
{
    // Esc, キャンセル and the window's close all come here.
    if (m_model.mayDiscard())
        QDialog::reject();
}

bool TPlanForm::eventFilter(QObject *watched, QEvent *event)
{
    auto *field = qobject_cast<QComboBox *>(watched);
    QLineEdit *edit = field ? field->lineEdit() : nullptr;
    if (edit && event->type() == QEvent::FocusIn) {
        // Typing replaces the field, as "08" then "15" should give "15"; after
        // the click that focused it has placed the cursor.
        QTimer::singleShot(0, edit, &QLineEdit::selectAll);
    } else if (edit && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        // Enter in a field goes on to the next one; it does not close the editor.
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            focusNextChild();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TPlanForm::showEvent(QShowEvent *event)
{
    windowplace::restore(this,
        QPoint(SettingsTable::value(m_store, &Settings::PlanLeft),
            SettingsTable::value(m_store, &Settings::PlanTop)));
    QDialog::showEvent(event);
}

void TPlanForm::hideEvent(QHideEvent *event)
{
    SettingsStore::Batch batch(m_store);
    const QPoint place = windowplace::savedTopLeft(this);
    SettingsTable::setValue(m_store, &Settings::PlanTop, place.y());
    SettingsTable::setValue(m_store, &Settings::PlanLeft, place.x());
    QDialog::hideEvent(event);
}

} // namespace vesk
