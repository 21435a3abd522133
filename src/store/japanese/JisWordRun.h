#pragma once

#include <QByteArray>
#include <QByteArrayView>

namespace vesk {

// The JIS bytes of adjacent ISO-2022-JP encoded-words, each closed by ESC ( J
// so that a word left in two-byte mode does not swallow the next one. Only a
// word that stops between the two bytes of a character is not closed when the
// next word goes on without an escape: the character was split over them.
class JisWordRun final
{
public:
    void append(QByteArrayView word);
    // The run, closed, ready for the JIS conversion; the run starts over.
    QByteArray take();
    bool isEmpty() const { return !m_open && m_bytes.isEmpty(); }

private:
    void feed(QByteArrayView bytes);
    void close();

    QByteArray m_bytes;
    bool m_open = false; // the last word is not closed yet
    // The mode as the JIS conversion reads the bytes: every escape three
    // bytes, "$" entering and "(" leaving two-byte mode.
    bool m_twoByte = false;
    bool m_halfPair = false;
    int m_escapeLeft = 0;
};

} // namespace vesk
