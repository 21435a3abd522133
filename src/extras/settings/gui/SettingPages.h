#pragma once

class QWidget;

namespace vesk {

// The pages of the settings dialog, laid out. Every control is named as the
// dialog and its model know it (DialogControls, ControlDependencies); the
// dialog finds them by name, fills them and connects them.
namespace settingpages {

QWidget *host(QWidget *parent); // "ＨＯＳＴ設定"
QWidget *security(QWidget *parent); // "暗号化・認証"
QWidget *connection(QWidget *parent); // "接続方法"
QWidget *mailer1(QWidget *parent); // "メーラー1設定"
QWidget *mailer2(QWidget *parent); // "メーラー2設定"
QWidget *other(QWidget *parent); // "その他設定"

} // namespace settingpages
} // namespace vesk
