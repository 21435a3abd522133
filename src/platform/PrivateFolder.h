#pragma once

#include <QString>

namespace vesk {

// A folder only its owner can reach, for sockets and private files: made
// with mode 0700 when missing (its parents as usual), and refused when it is
// a symbolic link, not a folder, or someone else's. A folder of our own with
// wider rights is narrowed to 0700.
class PrivateFolder final
{
public:
    // False with the reason when the folder cannot be made or trusted.
    static bool ensure(const QString &path, QString *error = nullptr);
};

} // namespace vesk
