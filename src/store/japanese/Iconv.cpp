#include "store/japanese/Iconv.h"

#include <cerrno>
#include <cstring>

namespace vesk {

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

qsizetype Iconv::convert(QByteArrayView in, QByteArray &out, QByteArrayView replacement, qsizetype unit)
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
    out.resize(used + in.size() * 2 + 16);
    const auto grow = [&](qsizetype extra) { out.resize(out.size() + qMax<qsizetype>(extra, 64)); };

    while (inLeft > 0) {
        char *outPtr = out.data() + used;
        size_t outLeft = size_t(out.size() - used);
        const size_t rc = iconv(m_cd, &inPtr, &inLeft, &outPtr, &outLeft);
        const int error = errno;
        used = outPtr - out.data();
        if (rc != size_t(-1))
            continue;
        if (error == E2BIG) {
            grow(qsizetype(inLeft) * 2);
            continue;
        }
        // EILSEQ or EINVAL: a mark for the unit, and on after it.
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
    // Return to the initial shift state (stateful target codes).
    for (;;) {
        char *outPtr = out.data() + used;
        size_t outLeft = size_t(out.size() - used);
        const size_t rc = iconv(m_cd, nullptr, nullptr, &outPtr, &outLeft);
        const int error = errno;
        used = outPtr - out.data();
        if (rc == size_t(-1) && error == E2BIG) {
            grow(16);
            continue;
        }
        break;
    }
    out.truncate(used);
    return replaced;
}

} // namespace vesk
