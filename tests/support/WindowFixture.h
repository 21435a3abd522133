#pragma once

#include "app/Controller.h"
#include "platform/GlobalAtoms.h"
#include "support/CoreFixture.h"
#include "support/MemorySettingsStore.h"
#include "support/Screenshot.h"

#include <QCoreApplication>

namespace vesk::test {

// The controller the windows are drawn from, on the core's fakes, on a
// Monday morning: 2026/12/7 8:05.
class WindowFixture : public CoreFixture
{
protected:
    WindowFixture()
        : CoreFixture(QDateTime(QDate(2026, 12, 7), QTime(8, 5)))
    {
        m_pump.timers = &m_timers;
    }

    // The start-up pass, with the idle step it leaves to the event loop.
    void start()
    {
        controller.start();
        QCoreApplication::sendPostedEvents();
    }
    // Lets the windows lay themselves out and paint.
    static void settle()
    {
        for (int i = 0; i < 5; ++i)
            QCoreApplication::processEvents();
    }
    // A picture of the window under <build>/artefacts, for a person to look at.
    static void picture(QWidget &window, const QString &name)
    {
        settle();
        EXPECT_TRUE(saveScreenshot(window, name));
    }

    MemorySettingsStore settings;
    FileAtoms atoms { m_dir.path() + "/run" };
    Controller controller { m_core, settings, atoms, QStringLiteral("vesk") };
};

} // namespace vesk::test
