#include "app/gui/GuiMessenger.h"

#include <QAbstractButton>
#include <QApplication>

namespace vesk {
namespace {

// The old program's texts use CR LF; a message box breaks lines at LF.
QString boxText(const QString &text)
{
    return QString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(u'\r', u'\n');
}

QMessageBox::StandardButton buttonOf(Messenger::Answer answer)
{
    switch (answer) {
    case Messenger::Answer::Ok:
        return QMessageBox::Ok;
    case Messenger::Answer::Cancel:
        return QMessageBox::Cancel;
    case Messenger::Answer::Yes:
        return QMessageBox::Yes;
    case Messenger::Answer::No:
        return QMessageBox::No;
    }
    return QMessageBox::NoButton;
}

} // namespace

void GuiMessenger::message(const QString &text)
{
    QMessageBox box(QMessageBox::Information, QStringLiteral("Vesk"), boxText(text), QMessageBox::Ok);
    box.setWindowFlag(Qt::WindowStaysOnTopHint);
    box.exec();
}

void GuiMessenger::error(const QString &text)
{
    QMessageBox box(QMessageBox::Critical, QStringLiteral("Vesk"), boxText(text), QMessageBox::Ok);
    box.setWindowFlag(Qt::WindowStaysOnTopHint);
    box.exec();
}

void GuiMessenger::beep()
{
    QApplication::beep();
}

std::optional<Messenger::Answer> GuiMessenger::ask(const QString &title, const QString &text, Buttons buttons)
{
    const bool okCancel = buttons == Buttons::OkCancel;
    QMessageBox box(QMessageBox::Question, title, boxText(text),
        okCancel ? QMessageBox::Ok | QMessageBox::Cancel : QMessageBox::Yes | QMessageBox::No);
    box.setWindowFlag(Qt::WindowStaysOnTopHint);
    box.setDefaultButton(okCancel ? QMessageBox::Ok : QMessageBox::Yes);
    m_open = &box;
    const int result = box.exec();
    m_open = nullptr;
    switch (result) {
    case QMessageBox::Ok:
        return Answer::Ok;
    case QMessageBox::Cancel:
        return Answer::Cancel;
    case QMessageBox::Yes:
        return Answer::Yes;
    case QMessageBox::No:
        return Answer::No;
    default:
        // Closed without a button: the box's escape answer.
        return okCancel ? Answer::Cancel : Answer::No;
    }
}

void GuiMessenger::answerOpenQuestion(Answer answer)
{
    if (!m_open)
        return;
    if (QAbstractButton *button = m_open->button(buttonOf(answer)))
        button->click();
}

} // namespace vesk
