#include "net/TlsErrors.h"

namespace vesk::tls {
namespace {

struct Entry
{
    int code;
    const char *text;
};

constexpr Entry kTable[] = {
    { TLS_HANDSHAKE, "TLS_HANDSHAKE 暗号化の手順に失敗しました（ポートと暗号化の設定を確かめてください）" },
    { TLS_VERSION, "TLS_VERSION サーバーがTLS 1.2以上に対応していません" },
    { TLS_CERT_EXPIRED, "TLS_CERT_EXPIRED サーバー証明書の有効期限が切れています" },
    { TLS_CERT_NOT_YET_VALID, "TLS_CERT_NOT_YET_VALID サーバー証明書の有効期間がまだ始まっていません" },
    { TLS_CERT_HOSTNAME, "TLS_CERT_HOSTNAME サーバー証明書が接続先のホスト名のものではありません" },
    { TLS_CERT_UNTRUSTED,
        "TLS_CERT_UNTRUSTED サーバー証明書の発行者を信頼できません（自己署名または不明な認証局）" },
    { TLS_CERT_INVALID, "TLS_CERT_INVALID サーバー証明書を検証できません" },
    { TLS_SETUP, "TLS_SETUP 暗号化の準備ができません（証明書ファイルを確かめてください）" },
};

} // namespace

QString errorText(int code)
{
    for (const Entry &entry : kTable) {
        if (entry.code == code)
            return QString::fromUtf8(entry.text);
    }
    return {};
}

} // namespace vesk::tls
