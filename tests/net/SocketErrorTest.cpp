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

TEST(WinSockErrorTest, TableEntriesCarryNameAndJapaneseText)
{
    EXPECT_EQ(TKWinSockError::tableSize(), 50);
    const TKWinSockError refused(10061);
    EXPECT_EQ(refused.code(), 10061);
    EXPECT_EQ(refused.message(), QStringLiteral("WSAECONNREFUSED 接続が拒否されました"));
    EXPECT_EQ(TKWinSockError(10004).message(), QStringLiteral("WSAEINTR 中止命令により中断しました"));
    EXPECT_EQ(TKWinSockError(10049).message(),
        QStringLiteral("WSAEADDRNOTAVAIL 設定されたアドレスを割り当てられません"));
    EXPECT_EQ(TKWinSockError(10070).message(), QStringLiteral("WSAESTALE NFSファイルハンドルが失効しました"));
    EXPECT_EQ(
        TKWinSockError(10093).message(), QStringLiteral("WSANOTINITIALISED Winsockが初期化されていません"));
    EXPECT_EQ(TKWinSockError(11004).message(), QStringLiteral("WSANO_DATA 見つかりません"));
}

TEST(WinSockErrorTest, CodeOutsideTableReadsAsNumber)
{
    EXPECT_EQ(TKWinSockError(12345).message(), QStringLiteral("エラーコード: 12345"));
    EXPECT_EQ(TKWinSockError(0).message(), QStringLiteral("エラーコード: 0"));
    EXPECT_EQ(TKWinSockError(-7).message(), QStringLiteral("エラーコード: -7"));
    EXPECT_EQ(TKWinSockError(10072).message(), QStringLiteral("エラーコード: 10072"));
}

TEST(SocketErrorsTest, LinuxErrnoValuesMapToTableCodes)
{
    const std::pair<int, int> cases[] = {
        { EAGAIN, wsa::WSAEWOULDBLOCK },
        { EWOULDBLOCK, wsa::WSAEWOULDBLOCK },
        { ECONNREFUSED, wsa::WSAECONNREFUSED },
        { ETIMEDOUT, wsa::WSAETIMEDOUT },
        { EADDRINUSE, wsa::WSAEADDRINUSE },
        { EACCES, wsa::WSAEACCES },
        { EADDRNOTAVAIL, wsa::WSAEADDRNOTAVAIL },
        { ENETUNREACH, wsa::WSAENETUNREACH },
        { EHOSTUNREACH, wsa::WSAEHOSTUNREACH },
        { ECONNRESET, wsa::WSAECONNRESET },
        { EPIPE, wsa::WSAECONNRESET },
        { ECONNABORTED, wsa::WSAECONNABORTED },
        { ENOTCONN, wsa::WSAENOTCONN },
        { EINPROGRESS, wsa::WSAEINPROGRESS },
        { EMFILE, wsa::WSAEMFILE },
        { EAFNOSUPPORT, wsa::WSAEAFNOSUPPORT },
        { EMSGSIZE, wsa::WSAEMSGSIZE },
        { EISCONN, wsa::WSAEISCONN },
    };
    for (const auto &[error, code] : cases)
        EXPECT_EQ(winSockCodeFromErrno(error), code) << "errno " << error;
    EXPECT_EQ(TKWinSockError(winSockCodeFromErrno(EACCES)).message(),
        QStringLiteral("WSAEACCES アクセスが拒否されました"));
}

TEST(SocketErrorsTest, ErrnoWithoutCounterpartStaysANumber)
{
    EXPECT_EQ(winSockCodeFromErrno(EIO), EIO);
    EXPECT_EQ(TKWinSockError(winSockCodeFromErrno(EIO)).message(),
        QStringLiteral("エラーコード: ") + QString::number(EIO));
}

TEST(SocketErrorsTest, ResolverFailuresMapToLookupCodes)
{
    EXPECT_EQ(winSockCodeFromAddrInfo(EAI_NONAME), wsa::WSAHOST_NOT_FOUND);
    EXPECT_EQ(winSockCodeFromAddrInfo(EAI_AGAIN), wsa::WSATRY_AGAIN);
    EXPECT_EQ(winSockCodeFromAddrInfo(EAI_FAIL), wsa::WSANO_RECOVERY);
    EXPECT_EQ(winSockCodeFromAddrInfo(EAI_NODATA), wsa::WSANO_DATA);
}

TEST(SocketErrorsTest, QtLookupResultsMapToLookupCodes)
{
    QHostInfo notFound;
    notFound.setError(QHostInfo::HostNotFound);
    EXPECT_EQ(QtHostResolver::errorCode(notFound), wsa::WSAHOST_NOT_FOUND);

    QHostInfo tryAgain;
    tryAgain.setError(QHostInfo::UnknownError);
    tryAgain.setErrorString(QString::fromLocal8Bit(::gai_strerror(EAI_AGAIN)));
    EXPECT_EQ(QtHostResolver::errorCode(tryAgain), wsa::WSATRY_AGAIN);

    QHostInfo other;
    other.setError(QHostInfo::UnknownError);
    other.setErrorString(QStringLiteral("something else"));
    EXPECT_EQ(QtHostResolver::errorCode(other), wsa::WSANO_RECOVERY);

    QHostInfo empty;
    EXPECT_EQ(QtHostResolver::errorCode(empty), wsa::WSANO_DATA);
}

} // namespace
} // namespace vesk
