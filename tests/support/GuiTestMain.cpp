#include <QApplication>

#include <csignal>
#include <gmock/gmock.h>

// Window tests run with a widget application (offscreen unless a test
// starts its own X server).
int main(int argc, char **argv)
{
    std::signal(SIGPIPE, SIG_IGN);
    // Listing the tests at build time happens without any display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::testing::InitGoogleMock(&argc, argv);
    return RUN_ALL_TESTS();
}
