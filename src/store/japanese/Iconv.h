#pragma once

#include <QByteArray>
#include <QByteArrayView>

#include <iconv.h>

namespace vesk {

// One glibc iconv conversion descriptor, closed with the object.
class Iconv final
{
public:
    Iconv(const char *toCode, const char *fromCode);
    ~Iconv();
    Iconv(const Iconv &) = delete;
    Iconv &operator=(const Iconv &) = delete;

    // False when the system has no such conversion.
    bool isValid() const { return m_cd != invalid(); }

    // Converts all of `in` and appends the result to `out`. Each `unit` of
    // bytes that starts an invalid, unmappable or cut-off sequence is replaced
    // by `replacement` (already in the target code) and conversion goes on
    // after it; a fixed-width source code passes its width, so that a
    // character the target lacks gives one replacement. `roomPerByte` is the
    // most output a byte of input can give, room made ready at the start.
    // Returns the number of replacements; never fails.
    qsizetype convert(QByteArrayView in, QByteArray &out, QByteArrayView replacement, qsizetype unit = 1,
        qsizetype roomPerByte = 2);

private:
    static iconv_t invalid() { return reinterpret_cast<iconv_t>(-1); }
    void reset();

    iconv_t m_cd;
};

} // namespace vesk
