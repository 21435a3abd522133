#include "extras/notes/StickyNoteBridge.h"

#include "pelma/HandOver.h"
#include "pelma/NoteBook.h"
#include "pelma/PelmaCommand.h"
#include "platform/EventPump.h"
#include "platform/Messenger.h"
#include "platform/PrivateFolder.h"
#include "platform/SingleInstance.h"
#include "settings/SettingsStore.h"

#include <QFile>
#include <QFileInfo>
#include <QProcess>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace vesk {

StickyNoteBridge::StickyNoteBridge(
    NotePlaces places, SettingsStore &settings, Messenger &messenger, EventPump &pump)
    : m_places(std::move(places))
    , m_settings(settings)
    , m_messenger(messenger)
    , m_pump(pump)
{ }

bool StickyNoteBridge::programPresent() const
{
    const QFileInfo program(m_places.program);
    return program.isFile() && program.isExecutable();
}

bool StickyNoteBridge::notesExist() const
{
    return NoteBook::hasNotes(m_places.notes);
}

bool StickyNoteBridge::running() const
{
    // The running copy holds this lock for as long as it lives.
    const QByteArray lockPath = QFile::encodeName(m_places.socketFolder + QStringLiteral("/instance.lock"));
    const int fd = ::open(lockPath.constData(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
    if (fd < 0)
        return false;
    const bool held = ::flock(fd, LOCK_SH | LOCK_NB) != 0;
    ::close(fd);
    return held;
}

bool StickyNoteBridge::PelmaDisp(const QString &command)
{
    if (running())
        return false;
    qint64 pid = 0;
    if (!programPresent()
        || !QProcess::startDetached(m_places.program, { command }, m_places.workingDir, &pid)) {
        m_messenger.beep();
        m_messenger.message(QStringLiteral("Pelma.exeを起動出来ません"));
        return false;
    }
    m_started << pid;
    return true;
}

bool StickyNoteBridge::SendPelma(const QString &command)
{
    if (!running())
        return false;
    // Only a socket in a folder of our own is the note program's.
    QString error;
    if (!PrivateFolder::ensure(m_places.socketFolder, &error)) {
        m_messenger.beep();
        m_messenger.message(error);
        return false;
    }
    QStringList reply;
    const SingleInstance noteProgram(m_places.socketFolder);
    if (noteProgram.request(command, &reply, ReplyTimeoutMs) && reply.contains(pelma::Ok))
        return true;
    // It runs but did not take the command.
    m_messenger.beep();
    return false;
}

void StickyNoteBridge::deliver(const QString &command)
{
    if (running())
        SendPelma(command);
    else
        PelmaDisp(command);
}

void StickyNoteBridge::addNote(const QString &date, const QString &text)
{
    // The wait below serves events: a second note must not overwrite the
    // first one's hand-over before it is taken.
    if (m_busy) {
        m_messenger.beep();
        return;
    }
    // A hand-over that did not reach the disk would make an empty note.
    if (!HandOver::put(m_settings, date, text)) {
        m_messenger.beep();
        m_messenger.message(m_settings.errorText());
        return;
    }
    m_busy = true;
    if (running()) {
        // It answers once the note is taken.
        SendPelma(pelma::Add);
    } else if (PelmaDisp(pelma::Add)) {
        m_pump.waitUntil([this] { return !HandOver::waiting(m_settings); }, HandOverWaitMs / 50, 50);
    }
    m_busy = false;
}

void StickyNoteBridge::toggleNotes()
{
    if (!notesExist()) {
        m_messenger.beep();
        m_messenger.message(QStringLiteral("付箋内容はありません。\r\n「付箋紙設定」で追加して下さい。"));
        return;
    }
    if (running())
        SendPelma(pelma::PaperHide);
    else
        PelmaDisp(pelma::Main);
}

void StickyNoteBridge::openEditor()
{
    deliver(pelma::Write);
}

void StickyNoteBridge::optionChanged(bool ticked)
{
    if (ticked) {
        if (notesExist())
            PelmaDisp(pelma::Main);
    } else if (running()) {
        SendPelma(pelma::Close);
    }
}

void StickyNoteBridge::startUp(bool itemsEnabled, bool hidden)
{
    if (itemsEnabled && !hidden && notesExist())
        PelmaDisp(pelma::Main);
}

void StickyNoteBridge::closeStarted()
{
    if (!m_started.isEmpty() && running())
        SendPelma(pelma::Close);
    m_started.clear();
}

} // namespace vesk
