#include "FakeResolver.h"
#include "NetTestSupport.h"

#include "net/TKError.h"
#include "net/TKTcpClient.h"
#include "support/FreePort.h"

#include <QStringList>

#include <gtest/gtest.h>

namespace vesk {
namespace {

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
        test::RawListener listener(row.listenIpv6 ? QHostAddress::LocalHostIPv6 : QHostAddress::LocalHost);
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
