// What the local servers' check of a connection's owner costs: a loopback
// connect and accept alone (the baseline every mailer connection pays), and
// the same with the owner looked up through the kernel's socket diagnostics.
#include "net/PeerOwner.h"

#include <arpa/inet.h>
#include <benchmark/benchmark.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

struct Listener
{
    Listener()
    {
        fd = ::socket(AF_INET, SOCK_STREAM, 0);
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        ::bind(fd, reinterpret_cast<sockaddr *>(&address), sizeof address);
        ::listen(fd, 16);
        socklen_t length = sizeof address;
        ::getsockname(fd, reinterpret_cast<sockaddr *>(&address), &length);
    }
    ~Listener() { ::close(fd); }
    int fd = -1;
    sockaddr_in address {};
};

template <bool LookUp> void connection(benchmark::State &state)
{
    Listener listener;
    for (auto _ : state) {
        const int client = ::socket(AF_INET, SOCK_STREAM, 0);
        ::connect(client, reinterpret_cast<const sockaddr *>(&listener.address), sizeof listener.address);
        const int accepted = ::accept(listener.fd, nullptr, nullptr);
        if constexpr (LookUp) {
            const auto owner = vesk::PeerOwner::ofConnection(accepted);
            if (!owner || *owner != ::geteuid())
                state.SkipWithError("owner not found");
            benchmark::DoNotOptimize(owner);
        }
        ::close(accepted);
        ::close(client);
    }
}

void BM_ConnectAcceptBaseline(benchmark::State &state)
{
    connection<false>(state);
}
void BM_ConnectAcceptWithOwner(benchmark::State &state)
{
    connection<true>(state);
}

void BM_OwnerLookupAlone(benchmark::State &state)
{
    Listener listener;
    const int client = ::socket(AF_INET, SOCK_STREAM, 0);
    ::connect(client, reinterpret_cast<const sockaddr *>(&listener.address), sizeof listener.address);
    const int accepted = ::accept(listener.fd, nullptr, nullptr);
    for (auto _ : state)
        benchmark::DoNotOptimize(vesk::PeerOwner::ofConnection(accepted));
    ::close(accepted);
    ::close(client);
}

} // namespace

BENCHMARK(BM_ConnectAcceptBaseline);
BENCHMARK(BM_ConnectAcceptWithOwner);
BENCHMARK(BM_OwnerLookupAlone);
BENCHMARK_MAIN();
