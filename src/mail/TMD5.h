#pragma once

#include <QByteArray>

#include <array>
#include <cstdint>

namespace vesk {

// MD5 message digest (RFC 1321), used by APOP on both sides.
class TMD5 final
{
public:
    TMD5();
    void update(const char *data, std::size_t size);
    void update(const QByteArray &data) { update(data.constData(), std::size_t(data.size())); }
    std::array<uint8_t, 16> finish();

    // 32 hexadecimal digits in upper case; APOP callers lower-case them.
    static QByteArray hexDigest(const QByteArray &data);
    // The APOP digest: lower-case hex MD5 of greeting stamp + password.
    static QByteArray apopDigest(const QByteArray &stamp, const QByteArray &password);

private:
    void transform(const uint8_t block[64]);

    std::array<uint32_t, 4> m_state;
    uint64_t m_length = 0; // bytes
    std::array<uint8_t, 64> m_buffer{};
};

} // namespace vesk
