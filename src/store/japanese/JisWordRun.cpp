#include "store/japanese/JisWordRun.h"

namespace vesk {
namespace {

constexpr char kEsc = 0x1B;
constexpr QByteArrayView kLeaveTwoByte("\x1b(J");

} // namespace

void JisWordRun::feed(QByteArrayView bytes)
{
    for (const char b : bytes) {
        if (m_escapeLeft > 0) {
            if (m_escapeLeft == 2 && (b == '$' || b == '(')) {
                m_twoByte = b == '$';
                m_halfPair = false;
            }
            --m_escapeLeft;
        } else if (m_twoByte && m_halfPair) {
            m_halfPair = false; // even an ESC is taken as the second byte
        } else if (b == kEsc) {
            m_escapeLeft = 2;
        } else if (m_twoByte) {
            m_halfPair = true;
        }
    }
}

void JisWordRun::close()
{
    m_bytes.append(kLeaveTwoByte);
    feed(kLeaveTwoByte);
    m_open = false;
}

void JisWordRun::append(QByteArrayView word)
{
    if (m_open) {
        const bool split = m_twoByte && m_halfPair && m_escapeLeft == 0 && !word.startsWith(kEsc);
        if (!split)
            close();
    }
    m_bytes.append(word);
    feed(word);
    m_open = true;
}

QByteArray JisWordRun::take()
{
    if (m_open)
        close();
    QByteArray bytes = std::move(m_bytes);
    *this = JisWordRun();
    return bytes;
}

} // namespace vesk
