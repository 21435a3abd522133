#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>

namespace vesk {

// The messages stored in downloads whose QUIT has not been answered yet. A
// POP3 server carries out DELE only at QUIT, so when the program dies in the
// middle of a download the messages it already stored are served again; the
// journal recognises them by their digest so that they are not stored twice.
// Each entry excuses one copy only, and only copies stored by an earlier
// download: two identical messages waiting at the provider are both kept.
class DownloadJournal final
{
public:
    explicit DownloadJournal(QString path);

    // Reads what earlier sessions left behind.
    void load();
    // The key of a message: its MD5 and its size.
    static QByteArray keyOf(const QByteArray &content);
    // True when an earlier download stored a copy of this message that has
    // not been excused yet; that copy is then used up.
    bool excuse(const QByteArray &key);
    // Appends a key and flushes it to disk; false when it could not be kept.
    // It excuses a copy only in a later download.
    bool add(const QByteArray &key);
    // After a QUIT the server answered: everything it served is gone there.
    void clear();

    // Lines of leave mode ("uidl ..."): the ids a session stored, kept here
    // until the account's id list holds them (see KeptOnServer).
    const QList<QByteArray> &idLines() const { return m_idLines; }
    bool addIdLine(const QByteArray &line);

private:
    QString m_path;
    // Copies stored by earlier downloads, by key.
    QHash<QByteArray, int> m_earlier;
    QList<QByteArray> m_idLines;
};

} // namespace vesk
