#pragma once

#include "settings/SettingsStore.h"

#include <utility>

namespace vesk {

// The settings in one INI file (format: IniFormat), normally
// paths::settingsFile(). The file holds the provider password, so it is kept
// readable by its owner only, in a folder created for the owner only.
//
// Each save replaces the file atomically: a crash leaves the old or the new
// file, never a mix. Reads pick up a file that another program changed since
// it was last loaded. A file that cannot be read reads as defaults and is
// never overwritten: saves fail with the reason until the file is mended or
// removed. A file larger than MaxFileSize is no settings file Vesk wrote: it
// is moved aside whole to "Vesk.ini.bad" unread (reading it would cost many
// times its size in memory), the user hears of that once, and the settings
// start afresh. A file that reads only in
// part (bytes that are no UTF-8, lines that mean nothing) gives what it can,
// and a copy of it is kept beside as "Vesk.ini.bad" (path + ".bad") before
// anything can replace it; the user hears of that once.
class IniSettingsStore final : public SettingsStore
{
public:
    static constexpr qint64 MaxFileSize = 1024 * 1024;

    explicit IniSettingsStore(QString path);

    const QString &path() const { return m_path; }
    QString badCopyPath() const { return m_path + QStringLiteral(".bad"); }
    QString takeNotice() override { return std::exchange(m_notice, QString()); }

protected:
    std::optional<IniDocument> loadIfChanged() override;
    bool persist(const IniDocument &document, QString *error) override;
    QString loadError() const override { return m_loadError; }

private:
    // What tells one version of the file from another.
    struct FileStamp
    {
        int error = 0; // errno of stat; ENOENT: no file yet
        qint64 size = 0;
        qint64 modifiedSec = 0;
        qint64 modifiedNsec = 0;
        quint64 device = 0;
        quint64 inode = 0;

        bool operator==(const FileStamp &other) const = default;
    };

    FileStamp stamp() const;
    IniDocument load(const FileStamp &found);
    bool makeFolder(QString *error) const;
    void keepBadCopy(const QByteArray &bytes);

    QString m_path;
    std::optional<FileStamp> m_loaded;
    QString m_loadError;
    QString m_notice;
};

} // namespace vesk
