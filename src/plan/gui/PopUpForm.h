#pragma once

#include <QWidget>

class QLabel;
class QPushButton;

namespace vesk {

// TPopUpForm: the reminder window of the start-up pass. Its caption is the
// message; a coloured panel shows the plan's date-time and comment: maroon
// for an overdue plan, olive for one of today, green for one ahead.
// "了解(&X)" closes it; closing destroys it.
class TPopUpForm final : public QWidget
{
    Q_OBJECT

public:
    static inline const QString OverdueCaption = QStringLiteral("予定が過ぎています");
    static inline const QString TodayCaption = QStringLiteral("本日予定があります");

    TPopUpForm(
        const QString &message, const QString &dateTime, const QString &comment, QWidget *parent = nullptr);

    // btnCopy is offered only while the sticky notes can take it.
    void setCopyOffered(bool offered);
    // PopUpOn's place: centred on the screen, `offset` pixels down and right.
    void placeCentred(const QRect &screen, int offset);

    QColor panelColour() const;
    QString dateText() const;

    // The colour of the panel for a caption.
    static QColor colourFor(const QString &caption);

signals:
    // btnCopyClick: date and comment handed to the sticky notes.
    void copyRequested(const QString &dateTime, const QString &comment);

private:
    QWidget *m_pnlColor;
    QLabel *m_pnlDate;
    QLabel *m_pnlComm;
    QPushButton *m_btnOK;
    QPushButton *m_btnCopy;
};

} // namespace vesk
