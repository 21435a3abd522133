#include "platform/gui/QtSound.h"
#include "support/TestFiles.h"
#include "support/WaitFor.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace vesk::test {
namespace {

TEST(QtSoundTest, WhatCannotBePlayedBeeps)
{
    QTemporaryDir dir;
    const QString text = dir.filePath("not-a-wave.wav");
    ASSERT_TRUE(writeFile(text, "RIFF but nothing of a wave file follows\n"));

    int beeps = 0;
    QtSound sound([&beeps] { ++beeps; });
    for (const QString &name : { QString(), dir.filePath("missing.wav"), dir.path() }) {
        sound.play(name);
        EXPECT_EQ(beeps, 1) << name.toStdString();
        beeps = 0;
    }
    sound.play(text);
    EXPECT_TRUE(waitFor([&beeps] { return beeps == 1; }, 5000));
}

} // namespace
} // namespace vesk::test
