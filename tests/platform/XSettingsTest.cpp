#include "platform/XSettings.h"

#include <QtEndian>

#include <gtest/gtest.h>

namespace vesk::test {
namespace {

// A settings list as a manager writes it, in either byte order.
class Blob
{
public:
    explicit Blob(bool bigEndian, quint32 count) : m_big(bigEndian)
    {
        bytes.append(char(bigEndian ? 1 : 0)).append(3, '\0');
        card(7, 4);
        card(count, 4);
    }
    Blob &integer(const QByteArray &name, qint32 value)
    {
        head(0, name);
        card(quint32(value), 4);
        return *this;
    }
    Blob &string(const QByteArray &name, const QByteArray &value)
    {
        head(1, name);
        card(quint32(value.size()), 4);
        padded(value);
        return *this;
    }
    Blob &colour(const QByteArray &name)
    {
        head(2, name);
        bytes.append(8, '\x7f');
        return *this;
    }
    QByteArray bytes;

private:
    void head(char type, const QByteArray &name)
    {
        bytes.append(type).append('\0');
        card(quint32(name.size()), 2);
        padded(name);
        card(1, 4);
    }
    void padded(const QByteArray &text) { bytes.append(text).append((4 - text.size() % 4) % 4, '\0'); }
    void card(quint32 value, int size)
    {
        char out[4];
        if (size == 2)
            m_big ? qToBigEndian(quint16(value), out) : qToLittleEndian(quint16(value), out);
        else
            m_big ? qToBigEndian(value, out) : qToLittleEndian(value, out);
        bytes.append(out, size);
    }
    bool m_big;
};

TEST(XSettingsTest, ReadsBothByteOrdersAndTheSoundSettings)
{
    for (const bool big : { false, true }) {
        const QByteArray bytes = Blob(big, 4)
                                     .string("Net/SoundThemeName", "ocean")
                                     .colour("Gtk/Colour")
                                     .integer("Net/EnableEventSounds", 0)
                                     .integer("Xft/DPI", -1)
                                     .bytes;
        const auto settings = XSettings::parse(bytes);
        ASSERT_TRUE(settings) << big;
        EXPECT_EQ(settings->integers.value("Xft/DPI"), -1);
        const DesktopSoundSettings sound = DesktopSoundSettings::from(*settings);
        EXPECT_EQ(sound.themeName, "ocean");
        EXPECT_FALSE(sound.eventSounds);
    }
    // A desktop that publishes neither: no theme chosen, sounds on.
    const DesktopSoundSettings none = DesktopSoundSettings::from(*XSettings::parse(Blob(false, 0).bytes));
    EXPECT_TRUE(none.themeName.isEmpty());
    EXPECT_TRUE(none.eventSounds);
}

TEST(XSettingsTest, ABrokenListIsNothing)
{
    const QByteArray whole = Blob(false, 1).string("Net/SoundThemeName", "ocean").bytes;
    QByteArray unknownType = whole;
    unknownType[12] = 3;
    for (const QByteArray &bytes : { QByteArray(), QByteArray("\x02\0\0\0", 4), whole.left(whole.size() - 1),
             whole.left(11), unknownType, Blob(false, 0xffffffff).integer("a", 1).bytes }) {
        EXPECT_FALSE(XSettings::parse(bytes)) << bytes.toHex().constData();
    }
}

} // namespace
} // namespace vesk::test
