#include "app/Controller.h"
#include "app/gui/VeskMainForm.h"
#include "extras/Slideshow.h"
#include "extras/gui/SlideshowView.h"
#include "mail/CoreServices.h"
#include "mail/ProtocolMonitor.h"
#include "mail/SessionState.h"
#include "platform/GlobalAtoms.h"
#include "settings/MemorySettingsStore.h"
#include "store/MessageStore.h"
#include "support/FakeClock.h"
#include "support/FakeEventPump.h"
#include "support/FakeTimerFactory.h"
#include "support/RecordingMessenger.h"
#include "support/Screenshot.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace vesk::test {

// New mail shows the shipped picture set under the strip, one picture after
// the other; its pictures are pictures for a person to look at.
TEST(StripSlideshow, NewMailShowsThePicturesOneAfterTheOther)
{
    QTemporaryDir dir;
    FakeClock clock { QDateTime(QDate(2026, 12, 7), QTime(8, 5)) };
    FakeTimerFactory timers { &clock };
    FakeEventPump pump { &timers };
    RecordingMessenger messenger;
    MemorySettingsStore settings;
    settings.writeInteger("Config", "MailRound", 0);
    MessageStore store { dir.path(), clock };
    FileAtoms atoms { dir.path() + "/run" };
    SessionState session;
    ProtocolMonitor monitor;
    CoreServices core { clock, timers, pump, messenger, store, session, monitor };
    Controller controller { core, settings, atoms, QStringLiteral("vesk") };
    VeskMainForm form { controller };
    auto *view = new SlideshowView;
    form.setAnimationView(view);
    controller.setPictureArea(view);
    controller.start();
    QCoreApplication::sendPostedEvents();

    controller.toggleMailIndication();
    EXPECT_EQ(form.shownLayout(), StripLayout::MailOn);
    EXPECT_EQ(QFileInfo(view->shownPath()).fileName(), "mail00.jpg");
    EXPECT_EQ(view->pictureSize(), QSize(160, 120));
    timers.advance(controller.slideshow().interval() * 3);
    EXPECT_EQ(QFileInfo(view->shownPath()).fileName(), "mail03.jpg");
    QCoreApplication::processEvents();
    // The strip is as wide as the picture, the date and clock above it.
    EXPECT_GE(form.width(), 160);
    EXPECT_TRUE(view->isVisible());
    EXPECT_TRUE(saveScreenshot(form, QStringLiteral("strip-slideshow")));

    EXPECT_TRUE(messenger.messages.isEmpty());
}

} // namespace vesk::test
