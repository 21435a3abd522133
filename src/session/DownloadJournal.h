#pragma once

#include <QByteArray>
#include <QSet>
#include <QString>

namespace vesk {

// The messages stored in downloads whose QUIT has not been answered yet. A
// POP3 server carries out DELE only at QUIT, so when the program dies in the
// middle of a download the messages it already stored are served again; the
// journal recognises them by their digest so that they are not stored twice.
class DownloadJournal final
{
public:
    explicit DownloadJournal(QString path);

    // Reads what earlier sessions left behind.
    void load();
    // The key of a message: its MD5 and its size.
    static QByteArray keyOf(const QByteArray &content);
    bool contains(const QByteArray &key) const { return m_keys.contains(key); }
    // Appends a key and flushes it to disk; false when it could not be kept.
    bool add(const QByteArray &key);
    // After a QUIT the server answered: everything it served is gone there.
    void clear();

private:
    QString m_path;
    QSet<QByteArray> m_keys;
};

} // namespace vesk
