#include "platform/gui/CanberraSoundTheme.h"
#include "support/TestFiles.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace vesk::test {
namespace {

TEST(CanberraSoundThemeTest, TheDesktopsThemeAndSwitchDecide)
{
    // ALSA's null device: a sound that is found plays into nothing.
    QTemporaryDir dir;
    const QString config = dir.filePath("asound.conf");
    ASSERT_TRUE(writeFile(config, "pcm.!default { type null }\n"));
    qputenv("ALSA_CONFIG_PATH", config.toLocal8Bit());
    qputenv("CANBERRA_DRIVER", "alsa");
    struct Row {
        QByteArray theme;
        bool eventSounds;
        SoundTheme::Result result;
    };
    // The freedesktop theme has no "message-new-email": the naming rules'
    // shorter "message" stands in for it. A theme that is not installed
    // falls back to the freedesktop one.
    for (const Row &row : { Row { "", true, SoundTheme::Result::Playing },
             Row { "not-installed", true, SoundTheme::Result::Playing },
             Row { "freedesktop", false, SoundTheme::Result::Silenced } }) {
        CanberraSoundTheme theme([&row] { return DesktopSoundSettings { row.theme, row.eventSounds }; });
        for (const SoundEvent event : { SoundEvent::NewMail, SoundEvent::PlanAlarm })
            EXPECT_EQ(theme.play(event), row.result) << soundThemeEventId(event) << ' ' << row.theme.constData();
    }
    qunsetenv("ALSA_CONFIG_PATH");
    qunsetenv("CANBERRA_DRIVER");
}

} // namespace
} // namespace vesk::test
