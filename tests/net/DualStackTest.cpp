#include "FakeResolver.h"
#include "NetTestSupport.h"

#include "net/TKError.h"
#include "net/TKTcpClient.h"
#include "support/FreePort.h"

#include <QStringList>

#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace vesk {
namespace {

// A listening socket on 127.0.0.1 or ::1 that only counts who came.
class Listener
{
public:
    explicit Listener(bool ipv6)
    {
        m_handle = ::socket(ipv6 ? AF_INET6 : AF_INET, SOCK_STREAM | SOCK_NONBLOCK, 0);
        sockaddr_storage storage {};
        socklen_t length = sizeof(sockaddr_in);
        if (ipv6) {
            auto *address = reinterpret_cast<sockaddr_in6 *>(&storage);
            address->sin6_family = AF_INET6;
            address->sin6_addr = in6addr_loopback;
            length = sizeof(sockaddr_in6);
        } else {
            auto *address = reinterpret_cast<sockaddr_in *>(&storage);
            address->sin_family = AF_INET;
            address->sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        }
        if (m_handle < 0 || ::bind(m_handle, reinterpret_cast<sockaddr *>(&storage), length) != 0
            || ::listen(m_handle, 4) != 0
            || ::getsockname(m_handle, reinterpret_cast<sockaddr *>(&storage), &length) != 0)
            return;
        m_port = ntohs(ipv6 ? reinterpret_cast<sockaddr_in6 *>(&storage)->sin6_port
                            : reinterpret_cast<sockaddr_in *>(&storage)->sin_port);
    }
    ~Listener()
    {
        if (m_handle >= 0)
            ::close(m_handle);
    }
    quint16 port() const { return m_port; }

private:
    int m_handle = -1;
    quint16 m_port = 0;
};

TEST(DualStackTest, EveryAddressIsTriedInOrderBeforeFailing)
{
    const struct
    {
        const char *first;
        const char *second;
        bool listenIpv6; // else 127.0.0.1
        bool listening;
        const char *connected; // empty: the error of the last
    } rows[] = {
        { "::1", "127.0.0.1", false, true, "127.0.0.1" },
        { "127.0.0.1", "::1", true, true, "::1" },
        { "::1", "127.0.0.1", false, false, "" },
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(std::string(row.first) + " " + row.second);
        Listener listener(row.listenIpv6);
        if (row.listenIpv6 && listener.port() == 0)
            GTEST_SKIP() << "no IPv6 loopback";
        const quint16 port = row.listening ? listener.port() : test::freePort();
        test::FakeResolver resolver;
        NetServices services;
        services.resolver = &resolver;
        TKTcpClient client(nullptr, services);
        int connects = 0;
        QStringList errors;
        client.setOnConnect([&](QObject *) { ++connects; });
        client.setOnError([&](QObject *, const TKError &error) { errors << error.message(); });
        client.setServerName(QStringLiteral("dual.example.jp"));
        client.setPort(port);
        client.setActive(true);
        HostResolver::Answer answer;
        answer.addresses
            = { QHostAddress(QLatin1String(row.first)), QHostAddress(QLatin1String(row.second)) };
        resolver.answer(0, answer);
        ASSERT_TRUE(test::waitFor([&] { return connects > 0 || !errors.isEmpty(); }));
        test::pumpFor(30);
        if (*row.connected) {
            EXPECT_EQ(connects, 1);
            EXPECT_TRUE(errors.isEmpty()) << errors.join(u'\n').toStdString();
            EXPECT_EQ(client.serverAddress(), QHostAddress(QLatin1String(row.connected)));
        } else {
            EXPECT_EQ(connects, 0);
            EXPECT_EQ(errors, QStringList { QStringLiteral("WSAECONNREFUSED 接続が拒否されました") });
        }
    }
}

} // namespace
} // namespace vesk
