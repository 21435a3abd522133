#include "net/PeerOwner.h"

#include <QFile>
#include <QList>

#include <arpa/inet.h>
#include <cerrno>
#include <cstring>
#include <linux/inet_diag.h>
#include <linux/netlink.h>
#include <linux/sock_diag.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <pwd.h>
#include <sys/socket.h>
#include <unistd.h>

namespace vesk::PeerOwner {
namespace {

// An address and port as the kernel's tables hold them.
struct Endpoint
{
    int family = AF_UNSPEC;
    quint8 address[16] {};
    quint16 port = 0; // host order
};

bool endpointOf(const sockaddr_storage &storage, Endpoint &out)
{
    if (storage.ss_family == AF_INET) {
        const auto &in = reinterpret_cast<const sockaddr_in &>(storage);
        out.family = AF_INET;
        std::memcpy(out.address, &in.sin_addr, 4);
        out.port = ntohs(in.sin_port);
        return true;
    }
    if (storage.ss_family == AF_INET6) {
        const auto &in6 = reinterpret_cast<const sockaddr_in6 &>(storage);
        out.family = AF_INET6;
        std::memcpy(out.address, &in6.sin6_addr, 16);
        out.port = ntohs(in6.sin6_port);
        return true;
    }
    return false;
}

class DiagSocket
{
public:
    DiagSocket()
        : m_fd(::socket(AF_NETLINK, SOCK_DGRAM | SOCK_CLOEXEC, NETLINK_SOCK_DIAG))
    {
        if (m_fd >= 0) {
            // A kernel that never answers must not hang the program.
            timeval timeout { 1, 0 };
            ::setsockopt(m_fd, SOL_SOCKET, SO_RCVTIMEO, &timeout, sizeof timeout);
        }
    }
    ~DiagSocket()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    DiagSocket(const DiagSocket &) = delete;
    DiagSocket &operator=(const DiagSocket &) = delete;

    // Sends one request and hands every inet_diag_msg of the answer to
    // `take` until it returns true or the answer ends. False when the kernel
    // could not be asked at all.
    template <class Take> bool ask(const inet_diag_req_v2 &request, bool dump, Take take)
    {
        if (m_fd < 0)
            return false;
        struct
        {
            nlmsghdr header;
            inet_diag_req_v2 body;
        } message {};
        message.header.nlmsg_len = sizeof message;
        message.header.nlmsg_type = SOCK_DIAG_BY_FAMILY;
        message.header.nlmsg_flags = NLM_F_REQUEST | (dump ? NLM_F_DUMP : 0);
        message.body = request;
        sockaddr_nl kernel {};
        kernel.nl_family = AF_NETLINK;
        if (::sendto(m_fd, &message, sizeof message, 0, reinterpret_cast<sockaddr *>(&kernel), sizeof kernel)
            != sizeof message)
            return false;
        alignas(nlmsghdr) char buffer[16384];
        for (;;) {
            const ssize_t got = ::recv(m_fd, buffer, sizeof buffer, 0);
            if (got < 0 && errno == EINTR)
                continue;
            if (got <= 0)
                return false;
            auto *header = reinterpret_cast<nlmsghdr *>(buffer);
            int left = int(got);
            for (; NLMSG_OK(header, left); header = NLMSG_NEXT(header, left)) {
                if (header->nlmsg_type == NLMSG_DONE)
                    return true;
                if (header->nlmsg_type == NLMSG_ERROR)
                    // No such socket is an answer too.
                    return reinterpret_cast<nlmsgerr *>(NLMSG_DATA(header))->error == -ENOENT;
                if (header->nlmsg_type != SOCK_DIAG_BY_FAMILY
                    || header->nlmsg_len < NLMSG_LENGTH(sizeof(inet_diag_msg)))
                    continue;
                if (take(*reinterpret_cast<const inet_diag_msg *>(NLMSG_DATA(header))))
                    return true;
            }
            if (!dump)
                return true;
        }
    }

private:
    int m_fd;
};

inet_diag_req_v2 requestFor(int family, quint32 states)
{
    inet_diag_req_v2 request {};
    request.sdiag_family = quint8(family);
    request.sdiag_protocol = IPPROTO_TCP;
    request.idiag_states = states;
    request.id.idiag_cookie[0] = request.id.idiag_cookie[1] = INET_DIAG_NOCOOKIE;
    return request;
}

// The client's socket is the one whose own end is the peer and whose
// remote end is our accepted socket.
std::optional<std::optional<uid_t>> viaNetlink(const Endpoint &peer, const Endpoint &local)
{
    inet_diag_req_v2 request = requestFor(peer.family, ~0u);
    request.id.idiag_sport = htons(peer.port);
    request.id.idiag_dport = htons(local.port);
    std::memcpy(request.id.idiag_src, peer.address, sizeof peer.address);
    std::memcpy(request.id.idiag_dst, local.address, sizeof local.address);
    std::optional<uid_t> uid;
    DiagSocket diag;
    if (!diag.ask(request, false, [&](const inet_diag_msg &m) {
            uid = m.idiag_uid;
            return true;
        }))
        return std::nullopt;
    return uid;
}

// /proc/net/tcp writes an address as the hexadecimal of its 32-bit words in
// the machine's order, then ":" and the port in hexadecimal.
QByteArray procText(const Endpoint &e)
{
    QByteArray text;
    const int words = e.family == AF_INET ? 1 : 4;
    for (int i = 0; i < words; ++i) {
        quint32 word;
        std::memcpy(&word, e.address + 4 * i, 4);
        text += QByteArray::number(word, 16).rightJustified(8, '0').toUpper();
    }
    return text + ':' + QByteArray::number(e.port, 16).rightJustified(4, '0').toUpper();
}

template <class Match> std::optional<uid_t> viaProc(int family, Match match)
{
    QFile table(family == AF_INET ? QStringLiteral("/proc/net/tcp") : QStringLiteral("/proc/net/tcp6"));
    if (!table.open(QIODevice::ReadOnly))
        return std::nullopt;
    table.readLine(); // the column titles
    while (!table.atEnd()) {
        const QList<QByteArray> fields = table.readLine(4096).simplified().split(' ');
        // sl local rem st tx:rx tr:when retrnsmt uid ...
        if (fields.size() > 7 && match(fields.at(1), fields.at(2), fields.at(3))) {
            bool ok = false;
            const uint uid = fields.at(7).toUInt(&ok);
            if (ok)
                return uid_t(uid);
        }
    }
    return std::nullopt;
}

} // namespace

std::optional<uid_t> ofConnection(int handle)
{
    sockaddr_storage localAddress {}, peerAddress {};
    socklen_t localLength = sizeof localAddress, peerLength = sizeof peerAddress;
    Endpoint local, peer;
    if (::getsockname(handle, reinterpret_cast<sockaddr *>(&localAddress), &localLength) != 0
        || ::getpeername(handle, reinterpret_cast<sockaddr *>(&peerAddress), &peerLength) != 0
        || !endpointOf(localAddress, local) || !endpointOf(peerAddress, peer) || local.family != peer.family)
        return std::nullopt;
    if (const auto answer = viaNetlink(peer, local))
        return *answer;
    const QByteArray peerText = procText(peer), localText = procText(local);
    return viaProc(peer.family, [&](const QByteArray &own, const QByteArray &remote, const QByteArray &) {
        return own == peerText && remote == localText;
    });
}

std::optional<uid_t> ofListener(quint16 port)
{
    for (const int family : { AF_INET, AF_INET6 }) {
        std::optional<uid_t> uid;
        DiagSocket diag;
        const bool asked = diag.ask(requestFor(family, 1u << TCP_LISTEN), true, [&](const inet_diag_msg &m) {
            if (ntohs(m.id.idiag_sport) != port)
                return false;
            uid = m.idiag_uid;
            return true;
        });
        if (!asked) {
            const QByteArray portText = ':' + QByteArray::number(port, 16).rightJustified(4, '0').toUpper();
            uid = viaProc(family, [&](const QByteArray &own, const QByteArray &, const QByteArray &state) {
                return state == "0A" && own.endsWith(portText);
            });
        }
        if (uid)
            return uid;
    }
    return std::nullopt;
}

QString describe(uid_t uid)
{
    passwd entry {};
    passwd *found = nullptr;
    char buffer[4096];
    if (::getpwuid_r(uid, &entry, buffer, sizeof buffer, &found) == 0 && found)
        return QStringLiteral("%1 (uid %2)").arg(QString::fromLocal8Bit(found->pw_name)).arg(uid);
    return QStringLiteral("uid %1").arg(uid);
}

} // namespace vesk::PeerOwner
