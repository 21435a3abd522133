// The X11 desktop's tests run on a private X server: this main starts Xvfb
// first and then the application on it, so that Qt's own connection is the
// one the desktop layers use.
#include "X11TestServer.h"

#include <QApplication>

#include <csignal>
#include <cstring>
#include <gmock/gmock.h>

#include <fcntl.h>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

namespace vesk::test {
namespace {

pid_t g_server = 0;
QString g_display;
QString g_why = QStringLiteral("the tests are only being listed");

// Xvfb picks a free display and writes its number on a pipe; -noreset keeps
// a client that connects just as the last one leaves from being dropped.
bool startServer()
{
    int fds[2];
    if (pipe(fds) != 0)
        return false;
    g_server = fork();
    if (g_server == 0) {
        close(fds[0]);
        const int devNull = open("/dev/null", O_WRONLY);
        dup2(devNull, 2);
        const std::string fd = std::to_string(fds[1]);
        execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-noreset", "-screen", "0", "1024x768x24", "-nolisten", "tcp",
            static_cast<char *>(nullptr));
        _exit(127);
    }
    close(fds[1]);
    QByteArray number;
    pollfd wait { fds[0], POLLIN, 0 };
    while (poll(&wait, 1, 20000) > 0) {
        char c = 0;
        if (read(fds[0], &c, 1) != 1 || c == '\n')
            break;
        number += c;
    }
    close(fds[0]);
    if (number.isEmpty()) {
        g_why = QStringLiteral("Xvfb did not start");
        return false;
    }
    g_display = QLatin1Char(':') + QString::fromLatin1(number);
    return true;
}

} // namespace

QString x11Display()
{
    return g_display;
}

QString x11Missing()
{
    return g_display.isEmpty() ? g_why : QString();
}

} // namespace vesk::test

int main(int argc, char **argv)
{
    std::signal(SIGPIPE, SIG_IGN);
    bool listing = false;
    for (int i = 1; i < argc; ++i)
        listing = listing || std::strncmp(argv[i], "--gtest_list_tests", 18) == 0;
    if (!listing && vesk::test::startServer()) {
        qputenv("DISPLAY", vesk::test::x11Display().toLatin1());
        qputenv("QT_QPA_PLATFORM", "xcb");
    } else {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    int result = 0;
    {
        QApplication app(argc, argv);
        ::testing::InitGoogleMock(&argc, argv);
        result = RUN_ALL_TESTS();
    }
    if (vesk::test::g_server > 0) {
        kill(vesk::test::g_server, SIGTERM);
        waitpid(vesk::test::g_server, nullptr, 0);
    }
    return result;
}
