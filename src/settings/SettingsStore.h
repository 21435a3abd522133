#pragma once

#include "settings/IniDocument.h"

#include <QString>
#include <QStringList>

#include <optional>
#include <set>
#include <utility>

namespace vesk {

class SecretStore;

// The settings store: sections of named text values. Integers are kept as
// decimal text, booleans as 1 and 0. A missing section or value reads as the
// caller's default, so a fresh machine runs on defaults.
//
// A write is saved at once, unless a Batch is open: then everything written
// is saved once when the outermost batch ends. A save that fails keeps the
// values in memory, reports through the return value and errorText(), and is
// tried again with the next write or flush().
class SettingsStore
{
public:
    virtual ~SettingsStore() = default;

    QString readString(const QString &section, const QString &name, const QString &defaultValue = {});
    // The default also for a text that is not a decimal integer.
    int readInteger(const QString &section, const QString &name, int defaultValue);
    bool readBool(const QString &section, const QString &name, bool defaultValue);
    bool contains(const QString &section, const QString &name);

    // False also for a section name that the file cannot hold (see IniFormat).
    bool writeString(const QString &section, const QString &name, const QString &value);
    bool writeInteger(const QString &section, const QString &name, int value);
    bool writeBool(const QString &section, const QString &name, bool value);

    // One "name=value" line per value, in store order.
    QStringList readSection(const QString &section);
    QList<IniEntry> readSectionEntries(const QString &section);

    bool eraseSection(const QString &section);
    bool deleteValue(const QString &section, const QString &name);

    void beginBatch();
    // Ends a batch; the outermost one saves. Returns whether all is saved.
    bool endBatch();
    // Saves what a failed save left unsaved.
    bool flush();

    bool hasUnsavedChanges() const { return m_dirty; }
    // Empty while all is well; otherwise why values cannot be read or saved.
    QString errorText() const;
    // Something the user should hear of once (a settings file that could
    // not be read as a whole was kept aside); empty once taken.
    virtual QString takeNotice() { return {}; }

    // The desktop's keyring that keeps the secrets of these settings (see
    // SettingsTable); none: they stay in the file.
    void setSecrets(SecretStore *secrets) { m_secrets = secrets; }
    SecretStore *secrets() const { return m_secrets; }
    // A secret the keyring could not give, told once per secret while the
    // program runs; empty once taken.
    void addSecretNotice(const QString &key, const QString &text);
    QString takeSecretNotice() { return std::exchange(m_secretNotice, QString()); }

    // Groups the writes of one dialog into one save.
    class Batch
    {
    public:
        explicit Batch(SettingsStore &store)
            : m_store(&store)
        {
            store.beginBatch();
        }
        ~Batch() { commit(); }
        Batch(const Batch &) = delete;
        Batch &operator=(const Batch &) = delete;

        // Ends the batch now; returns whether all is saved.
        bool commit();

    private:
        SettingsStore *m_store;
        bool m_result = true;
    };

protected:
    // A fresh copy of the stored settings when they changed behind the
    // program's back since they were last loaded.
    virtual std::optional<IniDocument> loadIfChanged() = 0;
    virtual bool persist(const IniDocument &document, QString *error) = 0;
    // Why the stored settings could not be read, if they could not.
    virtual QString loadError() const { return {}; }

    const IniDocument &document() const { return m_document; }

private:
    const IniDocument &current();
    bool changed(bool anything);

    IniDocument m_document;
    SecretStore *m_secrets = nullptr;
    QString m_secretNotice;
    std::set<QString> m_toldSecrets;
    int m_batchDepth = 0;
    bool m_dirty = false;
    QString m_saveError;
};

} // namespace vesk
