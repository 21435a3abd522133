#include "pelma/HandOver.h"
#include "pelma/NoteBook.h"
#include "pelma/gui/NoteWindow.h"
#include "pelma/gui/PelmaMainForm.h"
#include "pelma/gui/PelmaProgram.h"
#include "support/MemorySettingsStore.h"
#include "support/Screenshot.h"
#include "support/WaitFor.h"

#include <QCoreApplication>
#include <QPlainTextEdit>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace vesk::test {

// The note program's windows offscreen: what each command shows, and that
// what the user does reaches the note's file.
class PelmaWindows : public ::testing::Test
{
protected:
    void settle()
    {
        for (int i = 0; i < 3; ++i)
            QCoreApplication::processEvents();
    }

    QTemporaryDir dir;
    MemorySettingsStore settings;
    NoteBook book { dir.path() };
};

TEST_F(PelmaWindows, AHandOverBecomesANoteWindowThatIsEditedMovedAndClosed)
{
    HandOver::put(settings, QStringLiteral("2026/12/07 18:30"),
        QStringLiteral("忘年会の店を予約\n駅前の和食屋、七時から"));
    PelmaProgram program(book, settings);
    EXPECT_EQ(program.run(pelma::Command::Add), (QStringList { "notes: 1", "@ok" }));
    EXPECT_FALSE(HandOver::waiting(settings));
    const QString name = program.notes().at(0).fileName;
    NoteWindow *note = program.window(name);
    ASSERT_NE(note, nullptr);
    EXPECT_TRUE(note->isVisible());
    EXPECT_TRUE(note->windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_EQ(note->heading(), "2026/12/07 18:30");
    EXPECT_EQ(note->text(), "忘年会の店を予約\n駅前の和食屋、七時から");
    settle();
    EXPECT_TRUE(saveScreenshot(*note, QStringLiteral("pelma-note")));

    // Edited and moved: in the file a moment later.
    note->findChild<QPlainTextEdit *>()->appendPlainText(QStringLiteral("予算は五千円"));
    note->move(300, 200);
    ASSERT_TRUE(waitFor([&] { return book.load().value(0).text.endsWith(QStringLiteral("予算は五千円")); }));
    EXPECT_EQ(book.load().value(0).place.topLeft(), QPoint(300, 200));

    // Closed, the note stays; "/PelmaMain" brings it back.
    QMetaObject::invokeMethod(note, "closeRequested", Q_ARG(QString, name));
    EXPECT_FALSE(note->isVisible());
    EXPECT_EQ(book.load().size(), 1);
    program.run(pelma::Command::Main);
    EXPECT_TRUE(note->isVisible());

    // A second "/PelmaAdd" without a new hand-over is an empty note, not the
    // same one again.
    program.run(pelma::Command::Add);
    ASSERT_EQ(book.load().size(), 2);
    EXPECT_EQ(book.load()[1].text, "");
}

TEST_F(PelmaWindows, PaperHideTogglesTheNotesAndWriteOpensTheList)
{
    for (const char *text : { "牛乳を買う", "歯医者 木曜 15:00", "" }) {
        Note note;
        note.text = QString::fromUtf8(text);
        ASSERT_TRUE(book.add(note));
    }
    PelmaProgram program(book, settings);
    program.run(pelma::Command::Main);
    EXPECT_EQ(program.visibleNotes(), 3);
    program.run(pelma::Command::PaperHide);
    EXPECT_EQ(program.visibleNotes(), 0);
    program.run(pelma::Command::PaperHide);
    EXPECT_EQ(program.visibleNotes(), 3);

    program.run(pelma::Command::Write);
    TPelmaMainForm &list = program.mainForm();
    EXPECT_TRUE(list.isVisible());
    EXPECT_EQ(list.windowTitle(), "付箋紙設定");
    EXPECT_EQ(list.objectName(), "TPelmaMainForm");
    ASSERT_EQ(list.rowCount(), 3);
    EXPECT_EQ(list.rowText(1), "歯医者 木曜 15:00");
    EXPECT_EQ(list.rowText(2), "（空の付箋）");
    list.selectRow(0);
    settle();
    EXPECT_TRUE(saveScreenshot(list, QStringLiteral("pelma-settings")));

    program.deleteNote(program.notes().at(0).fileName, false);
    EXPECT_EQ(list.rowCount(), 2);
    EXPECT_EQ(book.load().size(), 2);
    EXPECT_EQ(program.run(pelma::Command::Unknown), QStringList { "@fail unknown command" });
}

} // namespace vesk::test
