#include "net/QtHostResolver.h"
#include "net/SocketErrors.h"
#include "net/TKWinSockError.h"
#include "net/WinSockCodes.h"

#include <QHostInfo>

#include <cerrno>
#include <gtest/gtest.h>
#include <netdb.h>

namespace vesk {
namespace {

TEST(SocketErrorsTest, ErrnoValuesGiveTheTableTextOrStayANumber)
{
    const std::pair<int, const char *> rows[] = {
        { EAGAIN, "WSAEWOULDBLOCK 操作がブロックされます" },
        { EPIPE, "WSAECONNRESET ピア側での接続がリセットされました" },
        { EACCES, "WSAEACCES アクセスが拒否されました" },
        { EIO, "エラーコード: 5" },
    };
    for (const auto &[error, text] : rows)
        EXPECT_EQ(TKWinSockError(winSockCodeFromErrno(error)).message(), QString::fromUtf8(text)) << error;
    EXPECT_EQ(TKWinSockError(10072).message(), QStringLiteral("エラーコード: 10072")); // a gap in the table
}

TEST(SocketErrorsTest, LookupFailuresGiveLookupCodes)
{
    EXPECT_EQ(winSockCodeFromAddrInfo(EAI_FAIL), wsa::WSANO_RECOVERY);
    EXPECT_EQ(winSockCodeFromAddrInfo(EAI_NODATA), wsa::WSANO_DATA);
    const auto qtCode = [](QHostInfo::HostInfoError error, const QString &text) {
        QHostInfo info;
        info.setError(error);
        info.setErrorString(text);
        return QtHostResolver::errorCode(info);
    };
    EXPECT_EQ(qtCode(QHostInfo::HostNotFound, {}), wsa::WSAHOST_NOT_FOUND);
    EXPECT_EQ(qtCode(QHostInfo::UnknownError, QString::fromLocal8Bit(::gai_strerror(EAI_AGAIN))),
        wsa::WSATRY_AGAIN);
    EXPECT_EQ(qtCode(QHostInfo::UnknownError, QStringLiteral("something else")), wsa::WSANO_RECOVERY);
    EXPECT_EQ(QtHostResolver::errorCode(QHostInfo()), wsa::WSANO_DATA);
}

} // namespace
} // namespace vesk
