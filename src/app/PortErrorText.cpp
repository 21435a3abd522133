#include "app/PortErrorText.h"

namespace vesk {

QString portErrorText(quint16 port, const QString &errorText, const QString &holder)
{
    QString text = QStringLiteral("ポート %1 を開けません。\r\n%2").arg(port).arg(errorText);
    if (!holder.isEmpty())
        text += QStringLiteral("\r\n") + holder;
    // Below 1024 only a privileged program may listen on Linux.
    if (port < 1024)
        text += QStringLiteral(
            "\r\n\r\n「各種設定」の「高度な設定」で 1023 より大きいポート番号を選んでください。");
    else
        text += QStringLiteral(
            "\r\n\r\nこのポートを使っているプログラムを終了するか、"
            "「各種設定」の「高度な設定」で別のポート番号（1023 より大きい番号）を選んでください。");
    return text;
}

} // namespace vesk
