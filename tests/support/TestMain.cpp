#include <QCoreApplication>

#include <csignal>
#include <gmock/gmock.h>

// Every test binary runs with a core application so that sockets, timers and
// nested event loops work as they do in the program.
int main(int argc, char **argv)
{
    std::signal(SIGPIPE, SIG_IGN);
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleMock(&argc, argv);
    return RUN_ALL_TESTS();
}
