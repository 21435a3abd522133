#include "store/japanese/Iconv.h"

#include <cerrno>
#include <cstring>

namespace vesk {
namespace {

// More than any one character needs in any code.
constexpr qsizetype kRoom = 64;

} // namespace

Iconv::Iconv(const char *toCode, const char *fromCode)
    : m_cd(iconv_open(toCode, fromCode))
{ }

Iconv::~Iconv()
{
    if (isValid())
        iconv_close(m_cd);
}

void Iconv::reset()
{
    iconv(m_cd, nullptr, nullptr, nullptr, nullptr);
}

qsizetype Iconv::convert(
    QByteArrayView in, QByteArray &out, QByteArrayView replacement, qsizetype unit, qsizetype roomPerByte)
{
    unit = qMax<qsizetype>(unit, 1);
    if (!isValid()) {
        const qsizetype units = (in.size() + unit - 1) / unit;
        for (qsizetype i = 0; i < units; ++i)
            out.append(replacement);
        return units;
    }
    reset();
    qsizetype replaced = 0;
    // iconv takes a non-const input pointer but does not write through it.
    char *inPtr = const_cast<char *>(in.data());
    size_t inLeft = size_t(in.size());
    qsizetype used = out.size();
    out.resize(used + in.size() * roomPerByte + 16);
    const auto grow = [&](qsizetype extra) { out.resize(out.size() + qMax<qsizetype>(extra, kRoom)); };

    while (inLeft > 0) {
        const qsizetype usedBefore = used;
        const size_t inLeftBefore = inLeft;
        char *outPtr = out.data() + used;
        size_t outLeft = size_t(out.size() - used);
        const size_t roomBefore = outLeft;
        const size_t rc = iconv(m_cd, &inPtr, &inLeft, &outPtr, &outLeft);
        const int error = errno;
        used = outPtr - out.data();
        if (rc != size_t(-1))
            continue;
        if (error == E2BIG) {
            if (inLeft < inLeftBefore || roomBefore < size_t(kRoom)) {
                grow(qsizetype(inLeft) * roomPerByte);
                continue;
            }
            // Out of room for one character with room for any: glibc's
            // converters that hold back a character to combine it
            // (Shift_JISX0213) can go on writing without reading once they ran
            // out of room. Taken as bad input.
            used = usedBefore;
        }
        // EILSEQ, EINVAL or such a round: a mark for the unit, and on after it.
        if (out.size() - used < replacement.size())
            grow(replacement.size() + qsizetype(inLeft) * 2);
        if (!replacement.isEmpty())
            std::memcpy(out.data() + used, replacement.data(), size_t(replacement.size()));
        used += replacement.size();
        const size_t skip = qMin(inLeft, size_t(unit));
        inPtr += skip;
        inLeft -= skip;
        ++replaced;
        reset();
    }
    // Return to the initial shift state (stateful target codes); a few rounds
    // are room enough for that.
    for (int round = 0; round < 4; ++round) {
        char *outPtr = out.data() + used;
        size_t outLeft = size_t(out.size() - used);
        const size_t rc = iconv(m_cd, nullptr, nullptr, &outPtr, &outLeft);
        const int error = errno;
        used = outPtr - out.data();
        if (rc == size_t(-1) && error == E2BIG) {
            grow(kRoom);
            continue;
        }
        break;
    }
    out.truncate(used);
    return replaced;
}

} // namespace vesk
