#pragma once

#include <QString>

namespace vesk {

// Where deleted messages go: the desktop's trash, from where the user can
// still take them back.
class MessageTrash
{
public:
    virtual ~MessageTrash() = default;
    // True once the file is in the trash; otherwise the file stays and
    // `error` says why.
    virtual bool moveToTrash(const QString &path, QString *error) = 0;
};

// The freedesktop trash of the user (QFile::moveToTrash).
class DesktopTrash final : public MessageTrash
{
public:
    bool moveToTrash(const QString &path, QString *error) override;
};

} // namespace vesk
