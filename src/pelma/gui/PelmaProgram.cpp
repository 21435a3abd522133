#include "pelma/gui/PelmaProgram.h"

#include "pelma/HandOver.h"
#include "pelma/NoteBook.h"
#include "pelma/gui/NoteWindow.h"
#include "pelma/gui/PelmaMainForm.h"

#include <QGuiApplication>
#include <QMessageBox>
#include <QScreen>

namespace vesk {
namespace {

constexpr int NoteWidth = 220;
constexpr int NoteHeight = 150;
constexpr int Cascade = 24;

} // namespace

PelmaProgram::PelmaProgram(NoteBook &book, SettingsStore &settings, QObject *parent)
    : QObject(parent)
    , m_book(book)
    , m_settings(settings)
    , m_main(std::make_unique<TPelmaMainForm>())
{
    QStringList problems;
    m_notes = m_book.load(&problems);
    if (!problems.isEmpty())
        report(problems.join(u'\n'));
    m_saveTimer.setSingleShot(true);
    m_saveTimer.setInterval(SaveDelayMs);
    connect(&m_saveTimer, &QTimer::timeout, this, &PelmaProgram::saveAll);
    connect(m_main.get(), &TPelmaMainForm::newRequested, this, [this] {
        if (newNote(QString(), QString()))
            showNote(m_notes.last().fileName);
    });
    connect(m_main.get(), &TPelmaMainForm::showRequested, this, &PelmaProgram::showNote);
    connect(m_main.get(), &TPelmaMainForm::showAllRequested, this, &PelmaProgram::showAll);
    connect(m_main.get(), &TPelmaMainForm::deleteRequested, this,
        [this](const QString &fileName) { deleteNote(fileName, true); });
    refreshList();
}

PelmaProgram::~PelmaProgram()
{
    saveAll();
    qDeleteAll(m_windows);
}

QStringList PelmaProgram::run(pelma::Command command)
{
    using C = pelma::Command;
    switch (command) {
    case C::Add:
        addFromHandOver();
        break;
    case C::None:
    case C::Main:
        if (m_notes.isEmpty())
            openEditor();
        else
            showAll();
        break;
    case C::Write:
        openEditor();
        break;
    case C::PaperHide:
        toggleShown();
        break;
    case C::Close:
        saveAll();
        emit quitRequested();
        break;
    case C::Unknown:
        return { pelma::Fail + QStringLiteral("unknown command") };
    }
    return { QStringLiteral("notes: %1").arg(m_notes.size()), pelma::Ok };
}

void PelmaProgram::addFromHandOver()
{
    // Taken once: a second "/PelmaAdd" without a new hand-over makes an
    // empty note rather than the same one again.
    const HandOver handOver = HandOver::take(m_settings);
    if (newNote(handOver.date, handOver.comment))
        showNote(m_notes.last().fileName);
}

bool PelmaProgram::newNote(const QString &date, const QString &text)
{
    Note note;
    note.date = date;
    note.text = text;
    note.place = freePlace();
    QString error;
    if (!m_book.add(note, &error)) {
        report(error);
        return false;
    }
    m_notes << note;
    refreshList();
    return true;
}

NoteWindow *PelmaProgram::window(const QString &fileName) const
{
    return m_windows.value(fileName);
}

int PelmaProgram::visibleNotes() const
{
    int shown = 0;
    for (const NoteWindow *w : m_windows)
        shown += w->isVisible() ? 1 : 0;
    return shown;
}

void PelmaProgram::showNote(const QString &fileName)
{
    const int index = indexOf(fileName);
    if (index < 0)
        return;
    NoteWindow *w = m_windows.value(fileName);
    if (!w) {
        const Note &note = m_notes.at(index);
        w = new NoteWindow(note);
        w->setGeometry(note.place.isEmpty() ? freePlace() : note.place);
        connect(w, &NoteWindow::textEdited, this, &PelmaProgram::noteEdited);
        connect(w, &NoteWindow::placeChanged, this, &PelmaProgram::notePlaced);
        connect(w, &NoteWindow::closeRequested, w, &QWidget::hide);
        connect(
            w, &NoteWindow::deleteRequested, this, [this](const QString &name) { deleteNote(name, true); });
        m_windows.insert(fileName, w);
    }
    w->show();
    w->raise();
}

void PelmaProgram::showAll()
{
    for (const Note &note : std::as_const(m_notes))
        showNote(note.fileName);
}

void PelmaProgram::toggleShown()
{
    // Any note on the desktop: all go; none: all come back.
    if (visibleNotes() > 0) {
        for (NoteWindow *w : std::as_const(m_windows))
            w->hide();
    } else {
        showAll();
    }
}

void PelmaProgram::openEditor()
{
    refreshList();
    m_main->show();
    m_main->raise();
    m_main->activateWindow();
}

void PelmaProgram::deleteNote(const QString &fileName, bool ask)
{
    const int index = indexOf(fileName);
    if (index < 0)
        return;
    if (ask
        && QMessageBox::question(nullptr, TPelmaMainForm::Caption, QStringLiteral("この付箋を削除しますか？"))
            != QMessageBox::Yes)
        return;
    QString error;
    if (!m_book.remove(fileName, &error)) {
        report(error);
        return;
    }
    m_notes.removeAt(index);
    m_dirty.remove(fileName);
    if (NoteWindow *w = m_windows.take(fileName))
        w->deleteLater();
    refreshList();
}

void PelmaProgram::noteEdited(const QString &fileName, const QString &text)
{
    const int index = indexOf(fileName);
    if (index < 0 || m_notes[index].text == text)
        return;
    m_notes[index].text = text;
    markDirty(fileName);
    refreshList();
}

void PelmaProgram::notePlaced(const QString &fileName, const QRect &place)
{
    const int index = indexOf(fileName);
    if (index < 0 || m_notes[index].place == place)
        return;
    m_notes[index].place = place;
    markDirty(fileName);
}

void PelmaProgram::markDirty(const QString &fileName)
{
    m_dirty.insert(fileName);
    m_saveTimer.start();
}

void PelmaProgram::saveAll()
{
    m_saveTimer.stop();
    QStringList problems;
    const QSet<QString> dirty = std::exchange(m_dirty, {});
    for (const QString &fileName : dirty) {
        const int index = indexOf(fileName);
        QString error;
        if (index >= 0 && !m_book.save(m_notes.at(index), &error)) {
            problems << error;
            // Tried again with the next change.
            m_dirty.insert(fileName);
        }
    }
    if (!problems.isEmpty())
        report(problems.join(u'\n'));
}

int PelmaProgram::indexOf(const QString &fileName) const
{
    for (int i = 0; i < m_notes.size(); ++i) {
        if (m_notes.at(i).fileName == fileName)
            return i;
    }
    return -1;
}

QRect PelmaProgram::freePlace() const
{
    // Down the right side of the screen, one step further for each note.
    const QScreen *screen = QGuiApplication::primaryScreen();
    const QRect area = screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
    const int step = int(m_notes.size() % 8) * Cascade;
    return QRect(area.right() - NoteWidth - 40 - step, area.top() + 40 + step, NoteWidth, NoteHeight);
}

void PelmaProgram::report(const QString &problem)
{
    // Not modal: commands keep coming while it is shown.
    if (m_problemBox)
        m_problemBox->close();
    auto *box = new QMessageBox(QMessageBox::Warning, TPelmaMainForm::Caption, problem);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->show();
    m_problemBox = box;
}

void PelmaProgram::refreshList()
{
    m_main->setNotes(m_notes);
}

} // namespace vesk
