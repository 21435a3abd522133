#include <QApplication>

#include <csignal>
#include <gmock/gmock.h>

// Window tests run with a full application, offscreen unless told otherwise
// (also when the build lists the tests, without any display).
int main(int argc, char **argv)
{
    std::signal(SIGPIPE, SIG_IGN);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::testing::InitGoogleMock(&argc, argv);
    return RUN_ALL_TESTS();
}
