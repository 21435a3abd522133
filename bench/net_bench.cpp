// Loopback throughput of the socket classes (a TKTcpServer child streaming to
// a TKTcpClient, both on the one event loop) next to a plain blocking socket
// copy (writer thread, blocking reader) measured in the same run.
#include "net/TKTcpClient.h"
#include "net/TKTcpServer.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>

#include <arpa/inet.h>
#include <benchmark/benchmark.h>
#include <csignal>
#include <netinet/in.h>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>

namespace {

constexpr qsizetype kTotal = 256 * 1024 * 1024;
constexpr qsizetype kBlock = 1024 * 1024;
constexpr size_t kPlainChunk = 64 * 1024;

void plainBlockingCopy(benchmark::State &state)
{
    for (auto _ : state) {
        state.PauseTiming();
        const int listener = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in address {};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        ::bind(listener, reinterpret_cast<sockaddr *>(&address), sizeof address);
        ::listen(listener, 1);
        socklen_t length = sizeof address;
        ::getsockname(listener, reinterpret_cast<sockaddr *>(&address), &length);
        const int writer = ::socket(AF_INET, SOCK_STREAM, 0);
        ::connect(writer, reinterpret_cast<sockaddr *>(&address), sizeof address);
        const int reader = ::accept(listener, nullptr, nullptr);
        state.ResumeTiming();

        std::thread sending([writer] {
            std::vector<char> chunk(kPlainChunk, 'x');
            qsizetype sent = 0;
            while (sent < kTotal) {
                const ssize_t n = ::send(writer, chunk.data(), chunk.size(), MSG_NOSIGNAL);
                if (n <= 0)
                    break;
                sent += n;
            }
            ::shutdown(writer, SHUT_WR);
        });
        std::vector<char> buffer(kPlainChunk);
        qsizetype received = 0;
        for (;;) {
            const ssize_t n = ::recv(reader, buffer.data(), buffer.size(), 0);
            if (n <= 0)
                break;
            received += n;
        }
        sending.join();

        state.PauseTiming();
        if (received != kTotal)
            state.SkipWithError("short copy");
        ::close(reader);
        ::close(writer);
        ::close(listener);
        state.ResumeTiming();
    }
    state.SetBytesProcessed(state.iterations() * kTotal);
}

void serverChildToClient(benchmark::State &state)
{
    const QByteArray block(kBlock, 'x');
    for (auto _ : state) {
        state.PauseTiming();
        vesk::TKTcpServer server;
        vesk::TKTcpClient client;
        QEventLoop loop;
        qsizetype queued = 0;
        qsizetype received = 0;
        bool failed = false;
        const auto refill = [&](vesk::TKTcpChildSock *child) {
            // Two blocks ahead keep the kernel buffers busy while we refill.
            while (queued < kTotal && child->queuedBytes() < 2 * kBlock) {
                child->send(block);
                queued += block.size();
            }
        };
        server.setOnSendEmpty([&](vesk::TKTcpServer *, vesk::TKTcpChildSock *child) { refill(child); });
        server.setOnError([&](QObject *, const vesk::TKError &) { failed = true; });
        client.setOnRcvReady([&](QObject *) {
            received += client.receive().size();
            if (received >= kTotal)
                loop.quit();
        });
        client.setOnError([&](QObject *, const vesk::TKError &) {
            failed = true;
            loop.quit();
        });
        server.setActive(true);
        client.setServerName(QStringLiteral("127.0.0.1"));
        client.setPort(server.listeningPort());
        state.ResumeTiming();

        server.setOnConnect([&](vesk::TKTcpServer *, vesk::TKTcpChildSock *child) { refill(child); });
        client.setActive(true);
        QTimer::singleShot(60000, &loop, &QEventLoop::quit);
        loop.exec();

        state.PauseTiming();
        if (failed || received != kTotal)
            state.SkipWithError("transfer incomplete");
        client.close();
        server.close();
        state.ResumeTiming();
    }
    state.SetBytesProcessed(state.iterations() * kTotal);
}

} // namespace

BENCHMARK(plainBlockingCopy)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();
BENCHMARK(serverChildToClient)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();

int main(int argc, char **argv)
{
    std::signal(SIGPIPE, SIG_IGN);
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
