#include "extras/version/gui/VersionForm.h"
#include "support/Screenshot.h"
#include "support/WaitFor.h"

#include <QApplication>
#include <QDesktopServices>
#include <QKeyEvent>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QScreen>

#include <gtest/gtest.h>

namespace vesk::test {
namespace {

void flushDeletes()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// Takes the link's address instead of a web browser.
class LinkCatcher final : public QObject
{
    Q_OBJECT
public:
    QList<QUrl> opened;
public slots:
    void open(const QUrl &url) { opened << url; }
};

class VersionFormTest : public ::testing::Test
{
protected:
    void TearDown() override
    {
        delete m_form;
        flushDeletes();
    }
    template <typename T> T *child(const char *name) const { return m_form->findChild<T *>(name); }
    void show(TVersionForm::Role role)
    {
        m_form = new TVersionForm(role);
        m_form->show();
    }

    QPointer<TVersionForm> m_form;
};

TEST_F(VersionFormTest, TheSplashShowsTheLogoAlone)
{
    show(TVersionForm::Role::Splash);
    EXPECT_EQ(m_form->windowTitle(), "VeskVer");
    EXPECT_TRUE(m_form->windowFlags().testFlag(Qt::FramelessWindowHint));
    EXPECT_TRUE(child<QLabel>("imgLogo")->isVisible());
    EXPECT_FALSE(child<QLabel>("imgLogo")->pixmap().isNull());
    EXPECT_FALSE(child<QWidget>("pnlBase")->isVisible());
    const QPoint centre = QApplication::primaryScreen()->availableGeometry().center();
    EXPECT_LE((m_form->geometry().center() - centre).manhattanLength(), 2);
    EXPECT_TRUE(saveScreenshot(*m_form, "version-splash"));

    m_form->close();
    flushDeletes();
    EXPECT_TRUE(m_form.isNull());
}

TEST_F(VersionFormTest, TheAboutWindowShowsTheVersionAndClosesByItsButton)
{
    show(TVersionForm::Role::About);
    EXPECT_FALSE(child<QLabel>("imgLogo")->isVisible());
    EXPECT_TRUE(child<QWidget>("pnlBase")->isVisible());
    EXPECT_FALSE(child<QLabel>("imgVesk")->pixmap().isNull());
    EXPECT_EQ(child<QLabel>("pnlVer")->text(), "Ver 2.81");
    EXPECT_EQ(child<QPushButton>("btnClose")->text(), "閉じる");
    EXPECT_TRUE(child<QPushButton>("btnClose")->isDefault());
    EXPECT_TRUE(saveScreenshot(*m_form, "version-about"));

    child<QPushButton>("btnClose")->click();
    flushDeletes();
    EXPECT_TRUE(m_form.isNull());

    // It is the cancel button too.
    show(TVersionForm::Role::About);
    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(child<QPushButton>("btnClose"), &escape);
    flushDeletes();
    EXPECT_TRUE(m_form.isNull());
}

TEST_F(VersionFormTest, TheLinkOpensTheHomePageAndCloses)
{
    LinkCatcher catcher;
    QDesktopServices::setUrlHandler(TVersionForm::homePage().scheme(), &catcher, "open");
    show(TVersionForm::Role::About);
    emit child<QLabel>("edtUrl")->linkActivated(TVersionForm::homePage().toString());
    QDesktopServices::unsetUrlHandler(TVersionForm::homePage().scheme());
    EXPECT_EQ(catcher.opened, QList<QUrl> { TVersionForm::homePage() });
    flushDeletes();
    EXPECT_TRUE(m_form.isNull());
}

TEST_F(VersionFormTest, GoesAwayWhenAnotherWindowBecomesActive)
{
    show(TVersionForm::Role::Splash);
    m_form->activateWindow();
    ASSERT_TRUE(waitFor([this] { return m_form && m_form->isActiveWindow(); }, 5000));
    QWidget other;
    other.show();
    other.activateWindow();
    EXPECT_TRUE(waitFor(
        [this] {
            flushDeletes();
            return m_form.isNull();
        },
        5000));
}

} // namespace
} // namespace vesk::test

#include "VersionFormTest.moc"
