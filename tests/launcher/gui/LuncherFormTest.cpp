#include "launcher/gui/LuncherForm.h"
#include "app/ControllerFixture.h"
#include "launcher/gui/KeyCaptureEdit.h"
#include "launcher/gui/LauncherSheetModel.h"
#include "support/Screenshot.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>

namespace vesk::test {

// The launcher editor offscreen: the field above the grid fills the current
// cell (a key combination for the short-cut columns), a test start starts
// the row, and saving refuses a too-long row but keeps the others.
TEST_F(ControllerTest, LauncherEditorEditsTestsAndSaves)
{
    settings.writeString(
        "Luncher", "00", "メーラー,/usr/bin/sylpheed,\" \",\" \",\"TIMER(20),CTL+s\",F4,\" \"");
    settings.writeString("Luncher", "01", "エディタ,/usr/bin/editor,-n,/tmp,\" \",\" \",Ctrl+Alt+E");
    Controller &c = make();
    TLuncherForm form(
        settings, [&c](const LauncherEntry &entry) { c.launcher().testLauncherEntry(entry); }, m_messenger);
    form.resize(640, 300);
    form.show();
    EXPECT_EQ(form.windowTitle(), "Veskランチャー・マクロ設定");
    EXPECT_EQ(form.model().rowCount(), 7) << "two entries and five spare rows";

    form.selectCell(2, 7);
    EXPECT_FALSE(form.keyEdit()->isHidden());
    QKeyEvent press(QEvent::KeyPress, Qt::Key_T, Qt::ControlModifier | Qt::ShiftModifier);
    QCoreApplication::sendEvent(form.keyEdit(), &press);
    saveScreenshot(form, QStringLiteral("launcher-editor-hotkey"));
    form.selectCell(2, 1);
    form.macroEdit()->setText("ツール　テスト");
    form.selectCell(2, 2);
    form.macroEdit()->setText("/usr/local/bin/tool");
    form.selectCell(2, 5);
    form.macroEdit()->setText(QString(128, u'a'));
    EXPECT_EQ(form.model().fields(2),
        QStringList(
            { "ツール　テスト", "/usr/local/bin/tool", "", "", QString(128, u'a'), "", "Shift+Ctrl+T" }));
    saveScreenshot(form, QStringLiteral("launcher-editor"));

    EXPECT_FALSE(form.btnOKClick());
    EXPECT_EQ(m_messenger.messages, QStringList { "[3]番目の合計文字数が長すぎます。短くしてください" });
    EXPECT_EQ(settings.readSection("Luncher").size(), 2) << "the other rows are written";
    EXPECT_TRUE(form.isVisible());

    form.macroEdit()->setText("ENT");
    for (QPushButton *button : form.findChildren<QPushButton *>()) {
        if (button->text() == "起動テスト(&T)")
            button->click();
    }
    EXPECT_EQ(desktop.starts, QStringList { "/usr/local/bin/tool||/usr/local/bin" });
    EXPECT_EQ(desktop.typed, QStringList({ "+13", "-13" }));

    EXPECT_TRUE(form.btnOKClick());
    const QStringList lines = settings.readSection("Luncher");
    ASSERT_EQ(lines.size(), 3);
    EXPECT_EQ(lines.at(2), "02=ツール　テスト,/usr/local/bin/tool,\" \",\" \",ENT,\" \",Shift+Ctrl+T");
}

} // namespace vesk::test
