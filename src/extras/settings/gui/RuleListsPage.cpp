#include "extras/settings/gui/RuleListsPage.h"

#include "store/rules/RuleEntryModel.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextCursor>
#include <QVBoxLayout>

namespace vesk {

RuleListsPage::RuleListsPage(RuleEntryModel &model, QWidget *parent)
    : QWidget(parent)
    , m_model(model)
{
    auto *first = new QGroupBox(QStringLiteral("第一優先振分け（自分の名前に含まれる文字を指定）"), this);
    auto *second
        = new QGroupBox(QStringLiteral("第二優先振分け（相手のメールアドレスに含まれる文字を指定）"), this);
    auto *firstRow = new QHBoxLayout(first);
    firstRow->addWidget(listBox(1, QStringLiteral("メーラー１へ")));
    firstRow->addWidget(listBox(2, QStringLiteral("メーラー２へ")));
    auto *secondRow = new QHBoxLayout(second);
    secondRow->addWidget(listBox(3, QStringLiteral("メーラー１へ")));
    secondRow->addWidget(listBox(4, QStringLiteral("メーラー２へ")));
    auto *hint = new QLabel(
        QStringLiteral(
            "「*」だけの行は、どれにも合わないメールの行き先です。「X-」で始めるとX-Mailerを調べます。"),
        this);
    hint->setWordWrap(true);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(first, 1);
    layout->addWidget(second, 1);
    layout->addWidget(hint);
    refresh();
}

QWidget *RuleListsPage::listBox(int list, const QString &caption)
{
    auto *box = new QWidget(this);
    auto *memo = new QPlainTextEdit(box);
    memo->setObjectName(QStringLiteral("memAdrs%1").arg(list));
    memo->setReadOnly(true);
    memo->setLineWrapMode(QPlainTextEdit::NoWrap);
    auto *entry = new QLineEdit(box);
    entry->setObjectName(QStringLiteral("edtAdrs%1").arg(list));
    auto button = [box, list](const char *name, const QString &text) {
        auto *b = new QPushButton(text, box);
        b->setObjectName(QStringLiteral("%1%2").arg(QLatin1String(name)).arg(list));
        b->setAutoDefault(false);
        return b;
    };
    QPushButton *add = button("spbAdd", QStringLiteral("追加"));
    QPushButton *edit = button("spbEdit", QStringLiteral("修正"));
    QPushButton *erase = button("spbErase", QStringLiteral("削除"));

    connect(memo, &QPlainTextEdit::cursorPositionChanged, this, [this, list] { memAdrsClick(list); });
    connect(entry, &QLineEdit::textEdited, this,
        [this, list](const QString &text) { m_model.setEntry(list, text); });
    connect(add, &QPushButton::clicked, this, [this, list] {
        if (m_model.spbAdd1Click(list))
            refreshList(list);
    });
    connect(edit, &QPushButton::clicked, this, [this, list] {
        if (m_model.spbEdit1Click(list))
            refreshList(list);
    });
    connect(erase, &QPushButton::clicked, this, [this, list] {
        if (m_model.spbErase1Click(list))
            refreshList(list);
    });

    auto *grid = new QGridLayout(box);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->addWidget(new QLabel(caption, box), 0, 0, 1, 3);
    grid->addWidget(memo, 1, 0, 1, 3);
    grid->addWidget(entry, 2, 0, 1, 3);
    grid->addWidget(add, 3, 0);
    grid->addWidget(edit, 3, 1);
    grid->addWidget(erase, 3, 2);
    m_memos[list - 1] = memo;
    m_entries[list - 1] = entry;
    return box;
}

void RuleListsPage::memAdrsClick(int list)
{
    if (m_selecting)
        return;
    QPlainTextEdit *memo = m_memos[list - 1];
    const auto selection = m_model.memAdrs1Click(list, memo->textCursor().position());
    if (!selection)
        return;
    // The whole line under the caret is selected.
    m_selecting = true;
    QTextCursor cursor = memo->textCursor();
    cursor.setPosition(int(selection->start));
    cursor.setPosition(int(selection->start + selection->length), QTextCursor::KeepAnchor);
    memo->setTextCursor(cursor);
    m_selecting = false;
}

void RuleListsPage::refreshList(int list)
{
    m_selecting = true;
    m_memos[list - 1]->setPlainText(m_model.memoText(list));
    m_selecting = false;
    m_entries[list - 1]->setText(m_model.entry(list));
}

void RuleListsPage::refresh()
{
    for (int list = 1; list <= 4; ++list)
        refreshList(list);
}

} // namespace vesk
