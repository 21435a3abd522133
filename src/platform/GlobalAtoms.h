#pragma once

#include <QString>

namespace vesk {

// Names that other programs of the user can test for: "VeskTalked" while an
// announcement waits for the user, and the program's own name while it runs.
class GlobalAtoms
{
public:
    virtual ~GlobalAtoms() = default;
    virtual bool add(const QString &name) = 0;
    virtual void remove(const QString &name) = 0;
    virtual bool exists(const QString &name) const = 0;
};

// Each name is a file in a per-user folder (normally $XDG_RUNTIME_DIR/vesk):
// `test -e "$XDG_RUNTIME_DIR/vesk/VeskTalked"` is all a status bar needs.
class FileAtoms final : public GlobalAtoms
{
public:
    explicit FileAtoms(QString folder);
    bool add(const QString &name) override;
    void remove(const QString &name) override;
    bool exists(const QString &name) const override;

private:
    QString path(const QString &name) const;
    QString m_folder;
};

} // namespace vesk
