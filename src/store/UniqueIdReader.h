#pragma once

#include <QByteArray>
#include <QString>

class QIODevice;

namespace vesk {

// The unique id of a message, computed from its header on demand and never
// stored: the last X-UIDL value, else the last Message-ID's address part, else
// the file name without ".ID".
class UniqueIdReader final
{
public:
    // Only this much of a file is looked at; a header longer than that ends there.
    static constexpr qint64 HeaderLimit = 1024 * 1024;

    // The id the header gives, or an empty array when it gives none. Reads up to
    // the end of the header (the first line that is blank after trimming its end)
    // and never past HeaderLimit bytes.
    static QByteArray fromHeader(QIODevice &device);

    // The id of a message without a usable header: the file name with its first
    // ".ID" (in any case) cut out.
    static QString fromFileName(const QString &fileName);
};

} // namespace vesk
