#include "platform/gui/QtSound.h"
#include "support/TestFiles.h"
#include "support/WaitFor.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace vesk::test {
namespace {

class FakeTheme final : public SoundTheme
{
public:
    Result play(SoundEvent event) override
    {
        events << event;
        return result;
    }
    Result result = Result::Playing;
    QList<SoundEvent> events;
};

TEST(QtSoundTest, WithoutAWaveTheThemeSoundsAndBeepsOnlyWhenItHasNoSound)
{
    struct Row {
        SoundTheme::Result theme;
        int beeps;
    };
    // Switched off on the desktop means silence, not the beep.
    for (const Row row : { Row { SoundTheme::Result::Playing, 0 }, Row { SoundTheme::Result::Silenced, 0 },
             Row { SoundTheme::Result::Unavailable, 1 } }) {
        FakeTheme theme;
        theme.result = row.theme;
        int beeps = 0;
        QtSound sound([&beeps] { ++beeps; }, &theme);
        sound.play(QString(), SoundEvent::PlanAlarm);
        EXPECT_EQ(theme.events, QList<SoundEvent> { SoundEvent::PlanAlarm });
        EXPECT_EQ(beeps, row.beeps) << int(row.theme);
    }
    int beeps = 0;
    QtSound themeless([&beeps] { ++beeps; }, nullptr);
    themeless.play(QString(), SoundEvent::NewMail);
    EXPECT_EQ(beeps, 1);
}

TEST(QtSoundTest, AChosenWaveThatCannotBePlayedBeepsWithoutTheTheme)
{
    QTemporaryDir dir;
    const QString text = dir.filePath("not-a-wave.wav");
    ASSERT_TRUE(writeFile(text, "RIFF but nothing of a wave file follows\n"));

    FakeTheme theme;
    int beeps = 0;
    QtSound sound([&beeps] { ++beeps; }, &theme);
    for (const QString &name : { dir.filePath("missing.wav"), dir.path() }) {
        sound.play(name, SoundEvent::NewMail);
        EXPECT_EQ(beeps, 1) << name.toStdString();
        beeps = 0;
    }
    sound.play(text, SoundEvent::NewMail);
    EXPECT_TRUE(waitFor([&beeps] { return beeps == 1; }, 5000));
    EXPECT_TRUE(theme.events.isEmpty());
}

} // namespace
} // namespace vesk::test
