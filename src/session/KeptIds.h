#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QDateTime>
#include <QMap>
#include <QString>

namespace vesk {

// The provider's unique ids (UIDL) of the messages stored while they stay at
// the provider, one file per account in the data folder: a line per id,
//   <stored, yyyy-MM-ddThh:mm:ssZ> <box file name, or "-"> <id>
// The file is read as outside input: bounded, and a line that is not such an
// entry is skipped rather than trusted.
class KeptIds final
{
public:
    struct Entry
    {
        QDateTime stored; // UTC
        QString fileName; // the box file it became; empty when not known
    };
    using Map = QMap<QByteArray, Entry>;

    // A larger file is not ours: it is left unread (and so is every id in it).
    static constexpr qint64 MaxFileBytes = 16 * 1024 * 1024;
    static constexpr qsizetype MaxLineBytes = 200;

    // RFC 1939: 1 to 70 characters from 0x21 to 0x7E.
    static bool usableId(QByteArrayView id);
    // "kept-" + 16 hex digits of the account (host and user) + ".uidl": a
    // changed host or user starts a fresh list.
    static QString fileNameFor(const QString &host, const QString &user);

    static bool parseLine(QByteArrayView line, QByteArray *id, Entry *entry);
    static QByteArray lineOf(const QByteArray &id, const Entry &entry);
    // The entries of a file's text; the first line of an id counts.
    static Map parse(QByteArrayView text);
    static QByteArray serialize(const Map &entries);

    // Missing, unreadable or too large: no entries.
    static Map load(const QString &path);
    // The ids held for an account whose list lives in `folder`.
    static int count(const QString &folder, const QString &host, const QString &user);
    // Written crash-safely; an empty list removes the file. False (and the
    // reason) when the file could not be put in place.
    static bool save(const QString &path, const Map &entries, QString *error);
};

} // namespace vesk
