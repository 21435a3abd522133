#include "pelma/NoteBook.h"

#include "platform/DurableFile.h"

#include <QDateTime>
#include <QDir>
#include <QFile>

#include <cerrno>

namespace vesk {
namespace {

const QStringList NotePattern { QStringLiteral("Pelma*.ID") };

QStringList noteFiles(const QString &folder)
{
    QStringList names = QDir(folder).entryList(NotePattern, QDir::Files, QDir::Name);
    names.removeIf([](const QString &name) { return !NoteBook::isNoteName(name); });
    return names;
}

} // namespace

NoteBook::NoteBook(QString folder)
    : m_folder(std::move(folder))
{ }

bool NoteBook::isNoteName(const QString &fileName)
{
    return DurableFile::isPlainName(fileName)
        && fileName.startsWith(QLatin1String("Pelma"), Qt::CaseInsensitive)
        && fileName.endsWith(QLatin1String(".ID"), Qt::CaseInsensitive);
}

bool NoteBook::hasNotes(const QString &folder)
{
    return !noteFiles(folder).isEmpty();
}

QList<Note> NoteBook::load(QStringList *problems) const
{
    // What a crash in the middle of a write left behind.
    DurableFile::removeStale(m_folder, QDateTime::currentDateTime().addSecs(-60));
    QList<Note> notes;
    for (const QString &name : noteFiles(m_folder)) {
        const QString path = m_folder + u'/' + name;
        if (notes.size() >= MaxNotes) {
            if (problems)
                *problems << QStringLiteral("付箋が多すぎるため読みません: ") + path;
            continue;
        }
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly) || file.size() > MaxFileSize) {
            if (problems)
                *problems << QStringLiteral("付箋を読めません: ") + path;
            continue;
        }
        Note note = NoteFile::parse(file.read(MaxFileSize));
        note.fileName = name;
        notes << note;
    }
    return notes;
}

namespace {

// A note larger than load() reads would be written and never seen again.
bool tooLarge(const QByteArray &content, QString *error)
{
    if (content.size() <= NoteBook::MaxFileSize)
        return false;
    if (error)
        *error = QStringLiteral("付箋が大きすぎるため保存出来ません（上限 %1 バイト）")
                     .arg(NoteBook::MaxFileSize);
    return true;
}

} // namespace

bool NoteBook::add(Note &note, QString *error)
{
    const QByteArray content = NoteFile::format(note);
    if (tooLarge(content, error))
        return false;
    const QString stamp = QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMddhhmmsszzz"));
    for (int counter = 0; counter < 100; ++counter) {
        const QString name = QStringLiteral("Pelma%1%2.ID").arg(stamp).arg(counter, 2, 10, QLatin1Char('0'));
        const DurableFile::Result written
            = DurableFile::write(m_folder + u'/' + name, content, DurableFile::Existing::Keep);
        if (written.ok()) {
            note.fileName = name;
            return true;
        }
        if (written.code != EEXIST) {
            if (error)
                *error = written.error;
            return false;
        }
    }
    if (error)
        *error = QStringLiteral("付箋のファイル名を決められません: ") + m_folder;
    return false;
}

bool NoteBook::save(const Note &note, QString *error)
{
    if (!isNoteName(note.fileName)) {
        if (error)
            *error = QStringLiteral("付箋のファイル名が正しくありません: ") + note.fileName;
        return false;
    }
    const QByteArray content = NoteFile::format(note);
    if (tooLarge(content, error))
        return false;
    const DurableFile::Result written
        = DurableFile::write(m_folder + u'/' + note.fileName, content, DurableFile::Existing::Replace);
    if (!written.ok() && error)
        *error = written.error;
    return written.ok();
}

bool NoteBook::remove(const QString &fileName, QString *error)
{
    if (!isNoteName(fileName) || !QFile::remove(m_folder + u'/' + fileName)) {
        if (error)
            *error = QStringLiteral("付箋を削除出来ません: ") + m_folder + u'/' + fileName;
        return false;
    }
    DurableFile::syncFolder(m_folder);
    return true;
}

} // namespace vesk
