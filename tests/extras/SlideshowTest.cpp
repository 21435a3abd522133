#include "extras/slideshow/Slideshow.h"
#include "extras/slideshow/PictureArea.h"
#include "support/FakeTimerFactory.h"
#include "support/RecordingMessenger.h"
#include "support/TestFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace vesk::test {
namespace {

// Records what the strip would show; pictures named "bad*" cannot be shown.
class RecordingArea final : public PictureArea
{
public:
    bool load(const QString &path) override
    {
        const bool ok = !QFileInfo(path).fileName().startsWith(QLatin1String("bad"));
        shown << (ok ? QFileInfo(path).fileName() : QStringLiteral("-"));
        return ok;
    }
    void clear() override { shown << QStringLiteral("clear"); }
    QStringList shown;
};

class SlideshowTest : public ::testing::Test
{
protected:
    // A folder under the user's place with these files (a name ending in "/"
    // is a folder).
    void put(const QString &folder, const QStringList &files, const QString &place = {})
    {
        const QString root = place.isEmpty() ? user.path() : place;
        for (const QString &file : files) {
            const QString path = root + u'/' + folder + u'/' + file;
            if (file.endsWith(u'/'))
                QDir().mkpath(path);
            else
                ASSERT_TRUE(writeFile(path, contents.value(file, "x")));
        }
    }

    Slideshow &make(int multiJpgCo = 0)
    {
        show = std::make_unique<Slideshow>(QStringList { user.path(), shipped.path() }, messenger, timers);
        show->setPictureArea(&area);
        show->setFolderIndex(multiJpgCo);
        show->MultiJpgRead();
        show->JpgFileSerch();
        return *show;
    }

    QStringList folderNames() const
    {
        QStringList names;
        for (const QString &path : show->folders())
            names << QFileInfo(path).fileName();
        return names;
    }

    QTemporaryDir user;
    QTemporaryDir shipped;
    QHash<QString, QByteArray> contents;
    FakeTimerFactory timers;
    RecordingMessenger messenger;
    RecordingArea area;
    std::unique_ptr<Slideshow> show;
};

TEST_F(SlideshowTest, PicturesGoInSortedOrderAndStartAgainWithTheFirst)
{
    put("JpgData", { "b.jpg", "A.BMP", "c.jpeg", "notes.txt", "sub.jpg/", "z.wav", "a.wav" });
    Slideshow &s = make();
    s.start();
    timers.advance(4 * 200);
    EXPECT_EQ(area.shown, (QStringList { "A.BMP", "b.jpg", "c.jpeg", "A.BMP", "b.jpg" }));
    // The last sound by name is the set's own.
    EXPECT_EQ(QFileInfo(s.wave()).fileName(), "z.wav");
    EXPECT_TRUE(messenger.messages.isEmpty());

    s.stop();
    timers.advance(1000);
    EXPECT_EQ(area.shown.size(), 5);
}

TEST_F(SlideshowTest, TheSpeedFileSetsTheInterval)
{
    const struct
    {
        const char *speedFile; // none: no speed file
        int slideSpeed;
        int interval;
    } cases[] = {
        { "50\r\n", 200, 50 },
        { "fast", 200, 200 },
        { "\n", 300, 200 },
        { "", 300, 200 },
        { nullptr, 300, 300 },
        { "0", 200, 0 },
    };
    for (const auto &c : cases) {
        QTemporaryDir place;
        QStringList files { "1.jpg", "2.jpg" };
        if (c.speedFile) {
            contents["speed.ssp"] = c.speedFile;
            files << "speed.ssp";
        }
        put("JPGDATA", files, place.path());
        Slideshow s({ place.path() }, messenger, timers);
        s.setPictureArea(&area);
        s.setSlideSpeed(c.slideSpeed);
        s.MultiJpgRead();
        s.JpgFileSerch();
        const std::string name = c.speedFile ? c.speedFile : "none";
        EXPECT_EQ(s.interval(), c.interval) << name;
        area.shown.clear();
        s.start();
        timers.advance(std::max(c.interval, 1) - 1);
        EXPECT_TRUE(area.shown.isEmpty());
        timers.advance(1);
        // An interval of 0 keeps the first picture.
        EXPECT_EQ(area.shown, c.interval > 0 ? QStringList { "2.jpg" } : QStringList {}) << name;
    }
}

TEST_F(SlideshowTest, OnePictureIsShownAndTheTimerStopsAtTheFirstTick)
{
    put("JPGDATA1", { "only.jpg" });
    Slideshow &s = make();
    s.start();
    timers.advance(200);
    EXPECT_FALSE(s.running());
    EXPECT_EQ(area.shown, QStringList { "only.jpg" });
}

TEST_F(SlideshowTest, ADamagedPictureStopsTheShowAndNamesTheFile)
{
    put("JPGDATA1", { "a.jpg", "bad.jpg", "c.jpg" });
    Slideshow &s = make();
    s.start();
    timers.advance(400);
    EXPECT_FALSE(s.running());
    EXPECT_EQ(area.shown, (QStringList { "a.jpg", "-", "clear" }));
    ASSERT_EQ(messenger.messages.size(), 1);
    EXPECT_TRUE(messenger.messages[0].startsWith("Jpgdata内の画像を表示させることが出来ません。\r\n"));
    EXPECT_TRUE(messenger.messages[0].endsWith(
        "その時は、「" + user.path() + "/JPGDATA1/bad.jpg」を削除してください"));

    // The first picture damaged: the folder and the file are named at once.
    QFile::remove(user.path() + "/JPGDATA1/a.jpg");
    area.shown.clear();
    messenger.messages.clear();
    s.JpgFileSerch();
    EXPECT_EQ(area.shown, (QStringList { "-", "clear" }));
    EXPECT_EQ(messenger.messages,
        QStringList {
            user.path() + "/JPGDATA1内の「bad.jpg」のファイルを削除してVeskを再立ち上げしてください。" });
}

TEST_F(SlideshowTest, MultiJpgCoPicksTheFolderAndWrapsAfterTheLast)
{
    put("JPGDATA1", { "1.jpg" });
    put("myjpgdata", { "m.jpg" });
    put("JPGDATA.old", { "o.jpg" });
    put("Photos", { "p.jpg" });
    // A shipped set of the same name is the user's; the others add up.
    put("JPGDATA1", { "shipped.jpg" }, shipped.path());
    put("JpgData2", { "2.jpg" }, shipped.path());
    const struct
    {
        int stored;
        QString first;
        QList<int> next; // the folder index after each return to the normal layout
    } cases[] = {
        { 0, "1.jpg", { 1, 2, 0 } },
        { 1, "2.jpg", { 2, 0 } },
        { 2, "m.jpg", { 0 } },
        { 3, "1.jpg", { 1 } },
        { 7, "1.jpg", { 1 } },
        { -1, "1.jpg", { 1 } },
    };
    for (const auto &c : cases) {
        area.shown.clear();
        Slideshow &s = make(c.stored);
        EXPECT_EQ(folderNames(), (QStringList { "JPGDATA1", "JpgData2", "myjpgdata" }));
        EXPECT_EQ(area.shown, QStringList { c.first }) << c.stored;
        for (int index : c.next) {
            EXPECT_TRUE(s.nextSet());
            EXPECT_EQ(s.folderIndex(), index) << c.stored;
        }
    }
    EXPECT_TRUE(messenger.messages.isEmpty());
}

TEST_F(SlideshowTest, WithoutPictureFoldersTheStartSaysSoAndNothingIsShown)
{
    put("Photos", { "p.jpg" });
    Slideshow &s = make();
    EXPECT_EQ(messenger.messages, QStringList { "JpgDataフォルダが存在しません" });
    EXPECT_FALSE(s.nextSet());
    s.start();
    timers.advance(1000);
    EXPECT_TRUE(area.shown.isEmpty());

    // A picture folder without files.
    put("JPGDATA", { "empty/" });
    messenger.messages.clear();
    make();
    EXPECT_EQ(messenger.messages, QStringList { "画像ファイルがありません" });
    EXPECT_EQ(area.shown, QStringList { "clear" });
}

} // namespace
} // namespace vesk::test
