#include "platform/WindowPlace.h"

#include "support/Printers.h"

#include <gtest/gtest.h>

namespace vesk::test {
namespace {

// A 1024 x 768 screen with a 24-pixel panel at the top, and the strip over it.
const QRect Area(0, 24, 1024, 744);
const QRect StripAtTop(400, 0, 220, 40);
constexpr int Title = 20;

struct Case
{
    const char *what;
    QRect client;
    QRect strip;
    QPoint expected;
};

TEST(WindowPlaceTest, TheTitleBarStaysOnTheScreenAndClearOfTheStrip)
{
    const Case cases[] = {
        { "kept where it is", QRect(100, 200, 400, 300), StripAtTop, QPoint(100, 200) },
        { "title bar above the work area", QRect(100, 30, 400, 300), {}, QPoint(100, 24 + Title) },
        { "never placed: the top left of the work area", QRect(0, 0, 550, 206), {}, QPoint(0, 24 + Title) },
        { "never placed, under the strip: below it", QRect(0, 0, 550, 206), StripAtTop,
            QPoint(0, 40 + Title) },
        { "far off to the left and below", QRect(-900, 2000, 400, 300), {}, QPoint(0, 768 - 300) },
        { "a sliver on the screen is not enough", QRect(1000, 200, 400, 300), {}, QPoint(624, 200) },
        { "under the strip", QRect(300, 10, 400, 300), StripAtTop, QPoint(300, 40 + Title) },
        { "beside the strip", QRect(700, 60, 200, 100), StripAtTop, QPoint(700, 60) },
        { "strip at the bottom: above it", QRect(100, 680, 400, 100), QRect(0, 740, 1024, 28),
            QPoint(100, 740 - 100) },
        { "too tall for below the calendar: beside it", QRect(300, 100, 280, 600), QRect(400, 0, 190, 210),
            QPoint(590, 100) },
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(placeClient(c.client, Title, DeskLayout { { Area }, c.strip }), c.expected);
    }
}

TEST(WindowPlaceTest, ASecondScreenIsAPlaceOfItsOwn)
{
    const DeskLayout desk { { Area, QRect(1024, 0, 1280, 1024) }, StripAtTop };
    EXPECT_EQ(placeClient(QRect(1500, 100, 400, 300), Title, desk), QPoint(1500, 100));
    EXPECT_EQ(placeClient(QRect(1500, -200, 400, 300), Title, desk), QPoint(1500, Title));
}

} // namespace
} // namespace vesk::test
