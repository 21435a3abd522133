// The header reader on arbitrary message bytes, through to the row cells.
#include "boxes/HeaderRead.h"
#include "store/japanese/SjisDecoder.h"
#include "store/japanese/ToFromSub.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static vesk::SjisDecoder decoder;
    const QByteArrayView text(reinterpret_cast<const char *>(data), qsizetype(size));
    const vesk::HeaderSummary header = vesk::ToFromSubText(text);
    for (vesk::Box box : { vesk::Box::InBox, vesk::Box::OutBox }) {
        const vesk::BoxListRow row = vesk::HeaderRow(QStringLiteral("1.ID"), header, box, decoder);
        if (row.fileName != QLatin1String("1.ID") || !row.ownName.startsWith(u' '))
            std::abort();
        if (row.kindMark.size() > 1)
            std::abort();
    }
    return 0;
}
