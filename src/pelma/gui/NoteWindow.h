#pragma once

#include "pelma/NoteFile.h"

#include <QPoint>
#include <QWidget>

class QLabel;
class QPlainTextEdit;
class QToolButton;

namespace vesk {

// One sticky note on the desktop: a small frameless window that stays on
// top, with its date as a heading (dragged to move the note), a close
// button, the text (edited in place) and a grip to resize it.
class NoteWindow final : public QWidget
{
    Q_OBJECT

public:
    explicit NoteWindow(const Note &note, QWidget *parent = nullptr);

    QString fileName() const { return m_fileName; }
    QString text() const;
    QString heading() const;

signals:
    void textEdited(const QString &fileName, const QString &text);
    void placeChanged(const QString &fileName, const QRect &place);
    void closeRequested(const QString &fileName);
    void deleteRequested(const QString &fileName);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void moveEvent(QMoveEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    QString m_fileName;
    QWidget *m_head;
    QLabel *m_date;
    QToolButton *m_close;
    QPlainTextEdit *m_text;
    bool m_dragging = false;
    QPoint m_dragOffset;
};

} // namespace vesk
