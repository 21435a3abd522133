#pragma once

#include "pelma/NoteFile.h"

#include <QList>
#include <QWidget>

class QListWidget;
class QPushButton;

namespace vesk {

// TPelmaMainForm "付箋紙設定": the note program's main window and its note
// editor. It lists the notes (heading and first line); a new note is made,
// a chosen one shown or deleted from here.
class TPelmaMainForm final : public QWidget
{
    Q_OBJECT

public:
    static inline const QString Caption = QStringLiteral("付箋紙設定");

    explicit TPelmaMainForm(QWidget *parent = nullptr);

    void setNotes(const QList<Note> &notes);
    int rowCount() const;
    QString rowText(int row) const;
    void selectRow(int row);

    // One line of the list for a note.
    static QString rowFor(const Note &note);

signals:
    void newRequested();
    void showRequested(const QString &fileName);
    void deleteRequested(const QString &fileName);
    void showAllRequested();

private:
    QString selectedFile() const;
    void updateButtons();

    QListWidget *m_list;
    QPushButton *m_btnNew;
    QPushButton *m_btnShow;
    QPushButton *m_btnDelete;
    QPushButton *m_btnAll;
    QPushButton *m_btnClose;
};

} // namespace vesk
