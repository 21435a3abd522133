#include "net/TlsChannel.h"

#include "net/TlsErrors.h"
#include "net/WinSockCodes.h"

#include <QFile>
#include <QHostAddress>

#include <openssl/err.h>
#include <openssl/ssl.h>
#include <openssl/x509v3.h>

#include <climits>

namespace vesk {
namespace {

// Ciphertext taken from the socket at a time: several records, so that a
// large message costs few system calls.
constexpr int kPullChunk = 64 * 1024;
// What OpenSSL has made, moved out at a time: one record and a little.
constexpr int kPushChunk = 17 * 1024;

int verifyFailure(long result)
{
    switch (result) {
    case X509_V_ERR_CERT_HAS_EXPIRED:
        return tls::TLS_CERT_EXPIRED;
    case X509_V_ERR_CERT_NOT_YET_VALID:
        return tls::TLS_CERT_NOT_YET_VALID;
    case X509_V_ERR_HOSTNAME_MISMATCH:
    case X509_V_ERR_IP_ADDRESS_MISMATCH:
        return tls::TLS_CERT_HOSTNAME;
    case X509_V_ERR_DEPTH_ZERO_SELF_SIGNED_CERT:
    case X509_V_ERR_SELF_SIGNED_CERT_IN_CHAIN:
    case X509_V_ERR_UNABLE_TO_GET_ISSUER_CERT:
    case X509_V_ERR_UNABLE_TO_GET_ISSUER_CERT_LOCALLY:
    case X509_V_ERR_UNABLE_TO_VERIFY_LEAF_SIGNATURE:
    case X509_V_ERR_CERT_UNTRUSTED:
    case X509_V_ERR_CERT_REJECTED:
        return tls::TLS_CERT_UNTRUSTED;
    default:
        return tls::TLS_CERT_INVALID;
    }
}

bool versionRefused(unsigned long error)
{
    if (ERR_GET_LIB(error) != ERR_LIB_SSL)
        return false;
    switch (ERR_GET_REASON(error)) {
    case SSL_R_UNSUPPORTED_PROTOCOL:
    case SSL_R_TLSV1_ALERT_PROTOCOL_VERSION:
    case SSL_R_NO_PROTOCOLS_AVAILABLE:
    case SSL_R_UNSUPPORTED_SSL_VERSION:
        return true;
    default:
        return false;
    }
}

} // namespace

TlsChannel::TlsChannel(std::unique_ptr<ByteChannel> inner, const Options &options)
    : m_inner(std::move(inner))
{
    setUp(options);
}

TlsChannel::~TlsChannel()
{
    SSL_free(m_ssl);
    SSL_CTX_free(m_context);
}

void TlsChannel::setUp(const Options &options)
{
    m_failure = tls::TLS_SETUP;
    m_context = SSL_CTX_new(TLS_client_method());
    if (!m_context || SSL_CTX_set_min_proto_version(m_context, TLS1_2_VERSION) != 1)
        return;
    SSL_CTX_set_options(m_context, SSL_OP_NO_COMPRESSION | SSL_OP_NO_RENEGOTIATION);
    SSL_CTX_set_verify(m_context, SSL_VERIFY_PEER, nullptr);
    if (SSL_CTX_set_default_verify_paths(m_context) != 1)
        return;
    if (!options.extraCaFile.isEmpty()
        && SSL_CTX_load_verify_locations(
               m_context, QFile::encodeName(options.extraCaFile).constData(), nullptr)
            != 1)
        return;
    m_ssl = SSL_new(m_context);
    if (!m_ssl)
        return;
    SSL_set_mode(m_ssl, SSL_MODE_ENABLE_PARTIAL_WRITE | SSL_MODE_ACCEPT_MOVING_WRITE_BUFFER);
    m_in = BIO_new(BIO_s_mem());
    m_out = BIO_new(BIO_s_mem());
    if (!m_in || !m_out) {
        BIO_free(m_in);
        BIO_free(m_out);
        m_in = m_out = nullptr;
        return;
    }
    // An empty buffer means "more to come", not the end of the stream.
    BIO_set_mem_eof_return(m_in, -1);
    SSL_set_bio(m_ssl, m_in, m_out);
    SSL_set_connect_state(m_ssl);

    // Without a name to check, any valid certificate would pass.
    QString host = options.hostName.trimmed();
    if (host.startsWith(QLatin1Char('[')) && host.endsWith(QLatin1Char(']')))
        host = host.mid(1, host.size() - 2);
    if (host.isEmpty())
        return;
    const QByteArray name = host.toUtf8();
    QHostAddress literal;
    if (literal.setAddress(host)) {
        if (X509_VERIFY_PARAM_set1_ip_asc(SSL_get0_param(m_ssl), name.constData()) != 1)
            return;
    } else {
        SSL_set_hostflags(m_ssl, X509_CHECK_FLAG_NO_PARTIAL_WILDCARDS);
        if (SSL_set1_host(m_ssl, name.constData()) != 1
            || SSL_set_tlsext_host_name(m_ssl, name.constData()) != 1)
            return;
    }
    m_failure = 0;
}

ByteChannel::Result TlsChannel::read(char *buffer, qint64 size)
{
    if (m_failure)
        return failedWith(m_failure);
    for (;;) {
        ERR_clear_error();
        const int got = SSL_read(m_ssl, buffer, int(qMin<qint64>(size, INT_MAX)));
        if (got > 0) {
            noteEstablished();
            // Handshake messages after the handshake (tickets, key updates)
            // may want an answer.
            pushOut();
            return { got };
        }
        const int error = SSL_get_error(m_ssl, got);
        if (error == SSL_ERROR_ZERO_RETURN) {
            // The server's close_notify: the orderly end.
            Result end;
            end.eof = true;
            return end;
        }
        if (error != SSL_ERROR_WANT_READ && error != SSL_ERROR_WANT_WRITE)
            return failed(error);
        noteEstablished();
        const Result pushed = pushOut();
        if (pushed.error && pushed.error != wsa::WSAEWOULDBLOCK)
            return failedWith(pushed.error);
        const Result pulled = pullIn();
        if (pulled.bytes > 0)
            continue;
        if (pulled.eof) {
            // A server that hangs up during the handshake refused it.
            if (!m_established)
                return failedWith(tls::TLS_HANDSHAKE);
            return pulled;
        }
        if (pulled.error == wsa::WSAEWOULDBLOCK)
            return { 0, wsa::WSAEWOULDBLOCK };
        return failedWith(pulled.error);
    }
}

ByteChannel::Result TlsChannel::write(const char *data, qint64 size)
{
    if (m_failure)
        return failedWith(m_failure);
    // Records already made go out first; no new one piles up behind them.
    const Result pushed = pushOut();
    if (pushed.error)
        return pushed.error == wsa::WSAEWOULDBLOCK ? pushed : failedWith(pushed.error);
    ERR_clear_error();
    const int written = SSL_write(m_ssl, data, int(qMin<qint64>(size, 16 * 1024)));
    if (written > 0) {
        noteEstablished();
        pushOut();
        return { written };
    }
    const int error = SSL_get_error(m_ssl, written);
    if (error != SSL_ERROR_WANT_READ && error != SSL_ERROR_WANT_WRITE)
        return failed(error);
    const Result handshake = pushOut();
    if (handshake.error)
        return handshake.error == wsa::WSAEWOULDBLOCK ? handshake : failedWith(handshake.error);
    Result waiting { 0, wsa::WSAEWOULDBLOCK };
    waiting.needsInput = error == SSL_ERROR_WANT_READ;
    return waiting;
}

ByteChannel::Result TlsChannel::flush()
{
    if (m_failure)
        return failedWith(m_failure);
    if (!m_established) {
        ERR_clear_error();
        const int done = SSL_do_handshake(m_ssl);
        if (done == 1) {
            noteEstablished();
        } else {
            const int error = SSL_get_error(m_ssl, done);
            if (error != SSL_ERROR_WANT_READ && error != SSL_ERROR_WANT_WRITE)
                return failed(error);
        }
    }
    const Result pushed = pushOut();
    if (pushed.error)
        return pushed.error == wsa::WSAEWOULDBLOCK ? pushed : failedWith(pushed.error);
    if (!m_established) {
        Result waiting { 0, wsa::WSAEWOULDBLOCK };
        waiting.needsInput = true;
        return waiting;
    }
    return {};
}

qsizetype TlsChannel::pendingOutput() const
{
    const qsizetype made = m_out ? qsizetype(BIO_ctrl_pending(m_out)) : 0;
    return m_outPending.size() - m_outSent + made;
}

bool TlsChannel::hasBufferedInput() const
{
    return !m_failure && (SSL_pending(m_ssl) > 0 || BIO_ctrl_pending(m_in) > 0);
}

QString TlsChannel::description() const
{
    if (!m_established)
        return {};
    return QString::fromLatin1(SSL_get_version(m_ssl)) + QLatin1Char(' ')
        + QString::fromLatin1(SSL_get_cipher_name(m_ssl));
}

ByteChannel::Result TlsChannel::pushOut()
{
    if (m_outSent == m_outPending.size()) {
        m_outPending.clear();
        m_outSent = 0;
    }
    char chunk[kPushChunk];
    while (BIO_ctrl_pending(m_out) > 0) {
        const int got = BIO_read(m_out, chunk, sizeof chunk);
        if (got <= 0)
            break;
        m_outPending.append(chunk, got);
    }
    while (m_outSent < m_outPending.size()) {
        const Result sent
            = m_inner->write(m_outPending.constData() + m_outSent, m_outPending.size() - m_outSent);
        if (sent.bytes > 0) {
            m_outSent += sent.bytes;
            continue;
        }
        if (sent.error && sent.error != wsa::WSAEWOULDBLOCK)
            return { 0, sent.error };
        return { 0, wsa::WSAEWOULDBLOCK };
    }
    m_outPending.clear();
    m_outSent = 0;
    return {};
}

ByteChannel::Result TlsChannel::pullIn()
{
    if (m_pullBuffer.size() < kPullChunk)
        m_pullBuffer.resize(kPullChunk);
    Result got = m_inner->read(m_pullBuffer.data(), kPullChunk);
    if (got.bytes > 0 && BIO_write(m_in, m_pullBuffer.constData(), int(got.bytes)) != int(got.bytes))
        return { 0, tls::TLS_SETUP };
    return got;
}

ByteChannel::Result TlsChannel::failed(int sslError)
{
    int code = tls::TLS_HANDSHAKE;
    const long verified = SSL_get_verify_result(m_ssl);
    const unsigned long reason = ERR_peek_error();
    if (verified != X509_V_OK)
        code = verifyFailure(verified);
    else if (versionRefused(reason))
        code = tls::TLS_VERSION;
    else if (sslError == SSL_ERROR_SYSCALL && reason == 0)
        code = wsa::WSAECONNRESET;
    // The alert telling the server why goes out if it can.
    pushOut();
    return failedWith(code);
}

ByteChannel::Result TlsChannel::failedWith(int code)
{
    ERR_clear_error();
    m_failure = code;
    return { 0, code };
}

void TlsChannel::noteEstablished()
{
    if (m_established || !SSL_is_init_finished(m_ssl))
        return;
    m_established = true;
    if (m_onEstablished) {
        const EstablishedHandler handler = m_onEstablished;
        handler(description());
    }
}

} // namespace vesk
