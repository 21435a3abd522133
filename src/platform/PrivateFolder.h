#pragma once

#include <QString>

namespace vesk {

// A folder that only its owner can reach, for the files through which the
// running copy is found and talked to. Under /tmp another user may have made
// the folder first, or put a link where the folder should be: such a folder
// is refused, never used.
class PrivateFolder final
{
public:
    // Creates the folder (rwx for the owner only) unless it exists, then
    // checks it. False, with the reason, when it cannot be used.
    static bool ensure(const QString &path, QString *error = nullptr);
    // True when the folder exists, is no symbolic link, belongs to this
    // user and gives the group and others no access.
    static bool check(const QString &path, QString *error = nullptr);
};

} // namespace vesk
