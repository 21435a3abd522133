#include "platform/XSettings.h"

#include <QtEndian>

namespace vesk {

namespace {

// Reads the settings list front to back; any read past the end fails it.
class Reader
{
public:
    Reader(QByteArrayView bytes, bool bigEndian) : m_bytes(bytes), m_bigEndian(bigEndian) { }

    bool skip(qsizetype n)
    {
        if (n < 0 || n > m_bytes.size() - m_at)
            return false;
        m_at += n;
        return true;
    }
    std::optional<quint32> card(int size)
    {
        const qsizetype at = m_at;
        if (!skip(size))
            return std::nullopt;
        const char *p = m_bytes.data() + at;
        if (size == 1)
            return quint8(*p);
        if (size == 2)
            return m_bigEndian ? qFromBigEndian<quint16>(p) : qFromLittleEndian<quint16>(p);
        return m_bigEndian ? qFromBigEndian<quint32>(p) : qFromLittleEndian<quint32>(p);
    }
    // n bytes and the padding to the next multiple of four.
    std::optional<QByteArray> text(quint32 n)
    {
        const qsizetype at = m_at;
        if (!skip(qsizetype(n)) || !skip((4 - n % 4) % 4))
            return std::nullopt;
        return m_bytes.sliced(at, qsizetype(n)).toByteArray();
    }

private:
    QByteArrayView m_bytes;
    bool m_bigEndian;
    qsizetype m_at = 0;
};

enum Type : quint32 { Integer = 0, String = 1, Color = 2 };

} // namespace

std::optional<XSettings> XSettings::parse(QByteArrayView bytes)
{
    if (bytes.isEmpty() || (bytes[0] != 0 && bytes[0] != 1))
        return std::nullopt;
    Reader in(bytes, bytes[0] == 1);
    in.skip(4);
    const auto serial = in.card(4);
    const auto count = in.card(4);
    if (!serial || !count)
        return std::nullopt;
    XSettings settings;
    // Each setting takes at least 12 bytes, so a count beyond that is a lie
    // caught by the reads running out, not by memory.
    for (quint32 i = 0; i < *count; ++i) {
        const auto type = in.card(1);
        if (!type || !in.skip(1))
            return std::nullopt;
        const auto nameLength = in.card(2);
        const auto name = nameLength ? in.text(*nameLength) : std::nullopt;
        if (!name || !in.card(4))
            return std::nullopt;
        if (*type == Integer) {
            const auto value = in.card(4);
            if (!value)
                return std::nullopt;
            settings.integers.insert(*name, qint32(*value));
        } else if (*type == String) {
            const auto length = in.card(4);
            const auto value = length ? in.text(*length) : std::nullopt;
            if (!value)
                return std::nullopt;
            settings.strings.insert(*name, *value);
        } else if (*type == Color) {
            if (!in.skip(8))
                return std::nullopt;
        } else {
            return std::nullopt;
        }
    }
    return settings;
}

DesktopSoundSettings DesktopSoundSettings::from(const XSettings &settings)
{
    DesktopSoundSettings sound;
    sound.themeName = settings.strings.value("Net/SoundThemeName");
    sound.eventSounds = settings.integers.value("Net/EnableEventSounds", 1) != 0;
    return sound;
}

} // namespace vesk
