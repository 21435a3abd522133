#include "launcher/gui/LuncherForm.h"

#include "launcher/LauncherTable.h"
#include "launcher/gui/KeyCaptureEdit.h"
#include "launcher/gui/LauncherSheetModel.h"
#include "platform/Messenger.h"
#include "platform/gui/WindowPlacement.h"
#include "settings/SettingsSections.h"
#include "settings/SettingsStore.h"
#include "settings/SettingsTable.h"

#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QStackedWidget>
#include <QTableView>
#include <QVBoxLayout>

namespace vesk {
namespace {

// Columns whose field is a key combination.
bool keyColumn(int column)
{
    return column == 1 + LauncherSheet::ShortCutColumn || column == 1 + LauncherSheet::HotKeyColumn;
}

// The stored width of each column after the first.
constexpr int Settings::*ColumnWidths[]
    = { &Settings::LuncherCol1, &Settings::LuncherCol2, &Settings::LuncherCol3, &Settings::LuncherCol4,
          &Settings::LuncherCol5, &Settings::LuncherCol6, &Settings::LuncherCol7 };

} // namespace

TLuncherForm::TLuncherForm(
    SettingsStore &settings, EntryTest testEntry, Messenger &messenger, QWidget *parent)
    : QDialog(parent)
    , m_settings(settings)
    , m_testEntry(std::move(testEntry))
    , m_messenger(messenger)
    , m_model(new LauncherSheetModel(LauncherSheet::fromLines(settings.readSection(sections::Luncher)), this))
    , m_fieldStack(new QStackedWidget(this))
    , m_edtMacEdit(new QLineEdit(this))
    , m_htkEdit(new KeyCaptureEdit(this))
    , m_grid(new QTableView(this))
    , m_btnSoft(new QPushButton(QStringLiteral("参照(&B)"), this))
    , m_speRow(new QSpinBox(this))
{
    setObjectName(QStringLiteral("TLuncherForm"));
    setWindowTitle(QStringLiteral("Veskランチャー・マクロ設定"));
    setModal(true);

    m_edtMacEdit->setToolTip(QStringLiteral("ここにマクロを記入してください"));
    auto *keyPanel = new QWidget(this);
    auto *keyRow = new QHBoxLayout(keyPanel);
    keyRow->setContentsMargins(0, 0, 0, 0);
    keyRow->addWidget(m_htkEdit, 1);
    keyRow->addWidget(new QLabel(QStringLiteral("この枠にキーを入力して下さい。"), keyPanel));
    m_fieldStack->addWidget(m_edtMacEdit);
    m_fieldStack->addWidget(keyPanel);
    m_fieldStack->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);

    m_grid->setModel(m_model);
    m_grid->setSelectionMode(QAbstractItemView::SingleSelection);
    m_grid->setEditTriggers(QAbstractItemView::SelectedClicked | QAbstractItemView::EditKeyPressed
        | QAbstractItemView::AnyKeyPressed);
    m_grid->verticalHeader()->setSectionsMovable(true);
    m_grid->verticalHeader()->setToolTip(QStringLiteral("左端をドラッグすると表示位置を変更出来ます"));
    m_grid->verticalHeader()->setDefaultSectionSize(m_grid->fontMetrics().height() + 6);
    // The row header is the narrow fixed column at the left edge, by which
    // rows are dragged; the model's blank column 0 need not show twice.
    m_grid->verticalHeader()->setFixedWidth(14);
    m_grid->setColumnHidden(0, true);
    m_grid->horizontalHeader()->setStretchLastSection(true);

    m_speRow->setRange(0, LauncherSheet::MaxRows);
    m_speRow->setValue(m_model->rowCount());
    auto *btnRowErase = new QPushButton(QStringLiteral("列削除(&E)"), this);
    auto *btnSoftTest1 = new QPushButton(QStringLiteral("起動テスト(&T)"), this);
    auto *btnHelp = new QPushButton(QStringLiteral("マクロ詳細(&M)"), this);
    auto *btnCancel = new QPushButton(QStringLiteral("取り消し"), this);
    auto *btnOK = new QPushButton(QStringLiteral("保存終了"), this);
    btnOK->setDefault(true);

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_btnSoft);
    buttons->addWidget(btnRowErase);
    buttons->addWidget(new QLabel(QStringLiteral("行数"), this));
    buttons->addWidget(m_speRow);
    buttons->addWidget(btnSoftTest1);
    buttons->addWidget(btnHelp);
    buttons->addStretch(1);
    buttons->addWidget(btnCancel);
    buttons->addWidget(btnOK);
    auto *column = new QVBoxLayout(this);
    column->addWidget(m_fieldStack);
    column->addWidget(m_grid, 1);
    column->addLayout(buttons);

    connect(m_grid->selectionModel(), &QItemSelectionModel::currentChanged, this,
        &TLuncherForm::currentCellChanged);
    connect(m_edtMacEdit, &QLineEdit::textChanged, this, &TLuncherForm::fieldEdited);
    connect(m_htkEdit, &QLineEdit::textChanged, this, &TLuncherForm::fieldEdited);
    connect(m_grid, &QTableView::doubleClicked, this, &TLuncherForm::cellDoubleClicked);
    connect(m_grid->verticalHeader(), &QHeaderView::sectionMoved, this, &TLuncherForm::rowDragged);
    connect(m_model, &QAbstractItemModel::dataChanged, this, &TLuncherForm::currentCellChanged);
    connect(m_btnSoft, &QPushButton::clicked, this, &TLuncherForm::btnSoftClick);
    connect(btnRowErase, &QPushButton::clicked, this, &TLuncherForm::btnRowEraseClick);
    connect(m_speRow, &QSpinBox::valueChanged, m_model, &LauncherSheetModel::setRows);
    connect(btnSoftTest1, &QPushButton::clicked, this, &TLuncherForm::btnSoftTest1Click);
    connect(btnHelp, &QPushButton::clicked, this, &TLuncherForm::helpRequested);
    connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(btnOK, &QPushButton::clicked, this, &TLuncherForm::btnOKClick);

    readPosition();
    selectCell(0, 1);
}

TLuncherForm::~TLuncherForm() = default;

void TLuncherForm::readPosition()
{
    resize(SettingsTable::value(m_settings, &Settings::LuncherWidth),
        SettingsTable::value(m_settings, &Settings::LuncherHeight));
    windowplace::restore(this,
        QPoint(SettingsTable::value(m_settings, &Settings::LuncherLeft),
            SettingsTable::value(m_settings, &Settings::LuncherTop)));
    for (int c = 1; c <= LauncherSheet::Fields; ++c)
        m_grid->setColumnWidth(c, SettingsTable::value(m_settings, ColumnWidths[c - 1]));
}

void TLuncherForm::hideEvent(QHideEvent *event)
{
    if (!isMaximized()) {
        SettingsStore::Batch batch(m_settings);
        const QPoint place = windowplace::savedTopLeft(this);
        SettingsTable::setValue(m_settings, &Settings::LuncherTop, place.y());
        SettingsTable::setValue(m_settings, &Settings::LuncherLeft, place.x());
        SettingsTable::setValue(m_settings, &Settings::LuncherHeight, height());
        SettingsTable::setValue(m_settings, &Settings::LuncherWidth, width());
        for (int c = 1; c <= LauncherSheet::Fields; ++c)
            SettingsTable::setValue(m_settings, ColumnWidths[c - 1], m_grid->columnWidth(c));
    }
    QDialog::hideEvent(event);
}

void TLuncherForm::selectCell(int row, int column)
{
    if (row < 0 || row >= m_model->rowCount())
        return;
    m_grid->setCurrentIndex(m_model->index(row, column));
}

void TLuncherForm::currentCellChanged()
{
    const QModelIndex current = m_grid->currentIndex();
    const bool keys = current.isValid() && keyColumn(current.column());
    const QString text = current.isValid() ? current.data(Qt::EditRole).toString() : QString();
    m_showingCell = true;
    m_fieldStack->setCurrentIndex(keys ? 1 : 0);
    QLineEdit *field = keys ? static_cast<QLineEdit *>(m_htkEdit) : m_edtMacEdit;
    if (field->text() != text)
        field->setText(text);
    m_showingCell = false;
    m_btnSoft->setEnabled(!keys);
}

void TLuncherForm::fieldEdited(const QString &text)
{
    // What is typed above the grid goes into the current cell.
    const QModelIndex current = m_grid->currentIndex();
    if (m_showingCell || !current.isValid() || current.column() == 0)
        return;
    if (keyColumn(current.column()) != (sender() == m_htkEdit))
        return;
    m_model->setData(current, text, Qt::EditRole);
}

void TLuncherForm::btnSoftClick()
{
    const QModelIndex current = m_grid->currentIndex();
    if (!current.isValid() || current.column() == 0 || keyColumn(current.column()))
        return;
    const QString file = QFileDialog::getOpenFileName(this, QStringLiteral("ファイルを指定"),
        current.data(Qt::EditRole).toString(), QStringLiteral("全てのﾌｧｲﾙ(*)"));
    if (file.isEmpty())
        return;
    m_model->setData(current, file, Qt::EditRole);
}

void TLuncherForm::cellDoubleClicked(const QModelIndex &index)
{
    if (index.column() <= 1 + LauncherSheet::Macro && index.column() >= 1)
        btnSoftClick();
}

void TLuncherForm::btnRowEraseClick()
{
    const QModelIndex current = m_grid->currentIndex();
    if (!current.isValid())
        return;
    m_model->eraseRow(current.row());
    m_htkEdit->clear();
}

void TLuncherForm::rowDragged(int logical, int oldVisual, int newVisual)
{
    Q_UNUSED(logical);
    // The header only shows the move; the rows themselves move in the
    // model, and the header goes back to its plain order.
    QHeaderView *header = m_grid->verticalHeader();
    const QSignalBlocker block(header);
    header->moveSection(newVisual, oldVisual);
    m_model->moveRow(oldVisual, newVisual);
    selectCell(newVisual, qMax(1, m_grid->currentIndex().column()));
}

void TLuncherForm::btnSoftTest1Click()
{
    const QModelIndex current = m_grid->currentIndex();
    if (!current.isValid())
        return;
    m_testEntry(LauncherTable::entryOf(m_model->fields(current.row())));
}

bool TLuncherForm::btnOKClick()
{
    const LauncherSheet::SaveResult result = m_model->sheet().save(m_settings);
    for (const QString &refusal : result.refusals) {
        m_messenger.beep();
        m_messenger.message(refusal);
    }
    if (!result.refusals.isEmpty())
        return false;
    accept();
    return true;
}

} // namespace vesk
