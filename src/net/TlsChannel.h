#pragma once

#include "net/ByteChannel.h"

#include <QByteArray>
#include <QString>

#include <functional>
#include <memory>

typedef struct ssl_st SSL;
typedef struct ssl_ctx_st SSL_CTX;
typedef struct bio_st BIO;

namespace vesk {

// A TLS client on the byte channel of a connected socket.
//
// OpenSSL works on two memory buffers here, never on the socket itself: the
// ciphertext goes through the inner channel, so the handshake runs on the
// same non-blocking sockets and event loop as everything else, the session
// code above sees the same lines (and the monitor shows them), and encryption
// can start on a connection that is already open (STARTTLS, STLS). Qt's own
// TLS socket would have to own the descriptor and its notifiers, and has no
// way to take bytes from another channel.
//
// The server must prove, by TLS 1.2 or later, a certificate that chains to a
// trusted authority (the system's store, plus a file where one is given) and
// names the host: any failure ends the connection before a byte of the
// session goes out, with a code of TlsErrors.h saying why.
class TlsChannel final : public ByteChannel
{
public:
    struct Options
    {
        // The name or literal address the certificate must be for.
        QString hostName;
        // PEM certificates trusted besides the system's; empty: none.
        QString extraCaFile;
    };
    using EstablishedHandler = std::function<void(const QString &description)>;

    TlsChannel(std::unique_ptr<ByteChannel> inner, const Options &options);
    ~TlsChannel() override;
    TlsChannel(const TlsChannel &) = delete;
    TlsChannel &operator=(const TlsChannel &) = delete;

    Result read(char *buffer, qint64 size) override;
    Result write(const char *data, qint64 size) override;
    Result flush() override;
    qsizetype pendingOutput() const override;
    bool hasBufferedInput() const override;

    bool established() const { return m_established; }
    // The protocol and cipher, such as "TLSv1.3 TLS_AES_256_GCM_SHA384".
    QString description() const;
    // Called once, when the handshake has finished and the server is proved.
    void setOnEstablished(EstablishedHandler handler) { m_onEstablished = std::move(handler); }

private:
    void setUp(const Options &options);
    // Sends what OpenSSL produced; WSAEWOULDBLOCK while some remains.
    Result pushOut();
    // Moves ciphertext from the inner channel into OpenSSL.
    Result pullIn();
    // The code for an OpenSSL failure; the connection is unusable from here.
    Result failed(int sslError);
    Result failedWith(int code);
    void noteEstablished();

    std::unique_ptr<ByteChannel> m_inner;
    SSL_CTX *m_context = nullptr;
    SSL *m_ssl = nullptr;
    BIO *m_in = nullptr; // ciphertext received, owned by m_ssl
    BIO *m_out = nullptr; // ciphertext to send, owned by m_ssl
    QByteArray m_pullBuffer;
    QByteArray m_outPending;
    qsizetype m_outSent = 0;
    int m_failure = 0;
    bool m_established = false;
    EstablishedHandler m_onEstablished;
};

} // namespace vesk
