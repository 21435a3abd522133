#include "pelma/gui/PelmaMainForm.h"

#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace vesk {
namespace {

constexpr int RowChars = 40;

} // namespace

TPelmaMainForm::TPelmaMainForm(QWidget *parent)
    : QWidget(parent)
    , m_list(new QListWidget(this))
    , m_btnNew(new QPushButton(QStringLiteral("新しい付箋(&N)"), this))
    , m_btnShow(new QPushButton(QStringLiteral("表示(&S)"), this))
    , m_btnDelete(new QPushButton(QStringLiteral("削除(&D)"), this))
    , m_btnAll(new QPushButton(QStringLiteral("全部表示(&A)"), this))
    , m_btnClose(new QPushButton(QStringLiteral("閉じる(&C)"), this))
{
    setObjectName(QStringLiteral("TPelmaMainForm"));
    setWindowTitle(Caption);
    m_btnShow->setToolTip(QStringLiteral("選んだ付箋を表示します"));
    m_btnDelete->setToolTip(QStringLiteral("選んだ付箋を削除します"));
    m_btnAll->setToolTip(QStringLiteral("すべての付箋を表示します"));

    auto *buttons = new QVBoxLayout;
    for (QPushButton *button : { m_btnNew, m_btnShow, m_btnDelete, m_btnAll })
        buttons->addWidget(button);
    buttons->addStretch(1);
    buttons->addWidget(m_btnClose);
    auto *row = new QHBoxLayout(this);
    row->addWidget(m_list, 1);
    row->addLayout(buttons);
    resize(460, 260);

    connect(m_btnNew, &QPushButton::clicked, this, &TPelmaMainForm::newRequested);
    connect(m_btnAll, &QPushButton::clicked, this, &TPelmaMainForm::showAllRequested);
    connect(m_btnClose, &QPushButton::clicked, this, &QWidget::hide);
    connect(m_btnShow, &QPushButton::clicked, this, [this] {
        if (!selectedFile().isEmpty())
            emit showRequested(selectedFile());
    });
    connect(m_list, &QListWidget::itemDoubleClicked, this, [this] {
        if (!selectedFile().isEmpty())
            emit showRequested(selectedFile());
    });
    connect(m_btnDelete, &QPushButton::clicked, this, [this] {
        if (!selectedFile().isEmpty())
            emit deleteRequested(selectedFile());
    });
    connect(m_list, &QListWidget::currentRowChanged, this, &TPelmaMainForm::updateButtons);
    updateButtons();
}

QString TPelmaMainForm::rowFor(const Note &note)
{
    const QString first = note.text.section(u'\n', 0, 0).trimmed();
    QString line = note.date.isEmpty() ? first : note.date + QStringLiteral("  ") + first;
    if (line.size() > RowChars)
        line = line.left(RowChars - 1) + QChar(0x2026);
    return line.isEmpty() ? QStringLiteral("（空の付箋）") : line;
}

void TPelmaMainForm::setNotes(const QList<Note> &notes)
{
    const QString kept = selectedFile();
    m_list->clear();
    for (const Note &note : notes) {
        auto *item = new QListWidgetItem(rowFor(note), m_list);
        item->setData(Qt::UserRole, note.fileName);
        if (note.fileName == kept)
            m_list->setCurrentItem(item);
    }
    updateButtons();
}

int TPelmaMainForm::rowCount() const
{
    return m_list->count();
}

QString TPelmaMainForm::rowText(int row) const
{
    const QListWidgetItem *item = m_list->item(row);
    return item ? item->text() : QString();
}

void TPelmaMainForm::selectRow(int row)
{
    m_list->setCurrentRow(row);
}

QString TPelmaMainForm::selectedFile() const
{
    const QListWidgetItem *item = m_list->currentItem();
    return item ? item->data(Qt::UserRole).toString() : QString();
}

void TPelmaMainForm::updateButtons()
{
    const bool chosen = m_list->currentItem() != nullptr;
    m_btnShow->setEnabled(chosen);
    m_btnDelete->setEnabled(chosen);
    m_btnAll->setEnabled(m_list->count() > 0);
}

} // namespace vesk
