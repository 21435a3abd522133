#include "extras/settings/gui/SettingPages.h"

#include "extras/settings/gui/ColorButton.h"
#include "extras/settings/gui/FontButton.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QToolButton>
#include <QVBoxLayout>

namespace vesk::settingpages {
namespace {

template <class W> W *named(W *widget, const char *name)
{
    widget->setObjectName(QLatin1String(name));
    return widget;
}

QCheckBox *check(QWidget *parent, const char *name, const QString &text)
{
    return named(new QCheckBox(text, parent), name);
}

QLineEdit *edit(QWidget *parent, const char *name)
{
    return named(new QLineEdit(parent), name);
}

QSpinBox *spin(QWidget *parent, const char *name, const QString &suffix = {})
{
    auto *box = named(new QSpinBox(parent), name);
    box->setSuffix(suffix);
    box->setMinimumWidth(90);
    return box;
}

// Masked with "*".
QLineEdit *secret(QWidget *parent, const char *name)
{
    QLineEdit *field = edit(parent, name);
    field->setEchoMode(QLineEdit::Password);
    field->setStyleSheet(QStringLiteral("lineedit-password-character: 42"));
    return field;
}

QPushButton *button(QWidget *parent, const char *name, const QString &text)
{
    auto *b = named(new QPushButton(text, parent), name);
    b->setAutoDefault(false);
    return b;
}

// A field followed by its buttons, on one row.
QWidget *row(QWidget *parent, std::initializer_list<QWidget *> widgets, bool stretch = false)
{
    auto *box = new QWidget(parent);
    auto *layout = new QHBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    for (QWidget *w : widgets)
        layout->addWidget(w, w == *widgets.begin() && !stretch ? 1 : 0);
    if (stretch)
        layout->addStretch(1);
    return box;
}

QWidget *page(QWidget *parent, const char *name)
{
    return named(new QWidget(parent), name);
}

} // namespace

QWidget *host(QWidget *parent)
{
    // Made in the order they are seen, which is the order of the Tab key.
    QWidget *p = page(parent, "tabHost");
    QCheckBox *mailRound = check(p, "ckbMailRound", QStringLiteral("メールチェックを行う"));
    auto *account = new QGroupBox(QStringLiteral("プロバイダ"), p);
    auto *form = new QFormLayout(account);
    form->addRow(QStringLiteral("POP3サーバ"), edit(p, "edtHost"));
    form->addRow(QStringLiteral("SMTPサーバ"), edit(p, "edtSMTP"));
    form->addRow(QStringLiteral("ユーザーID"), edit(p, "edtUserID"));
    form->addRow(QStringLiteral("パスワード"), secret(p, "edtPassword"));
    // Shown where no desktop keyring answers.
    auto *inFile = named(
        new QLabel(QStringLiteral("キーリングがないため、パスワードは設定ファイルに保存されます。"), p),
        "lblPasswordInFile");
    inFile->setWordWrap(true);
    inFile->setVisible(false);
    form->addRow(QString(), inFile);

    auto *timing = new QGroupBox(QStringLiteral("チェック"), p);
    auto *grid = new QGridLayout(timing);
    grid->addWidget(new QLabel(QStringLiteral("タイムオーバー"), p), 0, 0);
    grid->addWidget(row(p, { spin(p, "speOverTime", QStringLiteral(" 秒")) }, true), 0, 1);
    QCheckBox *roundGo = check(p, "ckbRoundGo", QStringLiteral("チェック巡回時間"));
    auto *interval = edit(p, "edtRoundTime");
    interval->setMaxLength(6);
    interval->setMaximumWidth(70);
    auto *up = named(new QToolButton(p), "btnRoundUp");
    up->setArrowType(Qt::UpArrow);
    auto *down = named(new QToolButton(p), "btnRoundDown");
    down->setArrowType(Qt::DownArrow);
    grid->addWidget(roundGo, 1, 0);
    grid->addWidget(row(p, { interval, up, down, new QLabel(QStringLiteral("分ごと"), p) }, true), 1, 1);
    grid->addWidget(check(p, "ckbApop", QStringLiteral("APOP認証を行う")), 2, 0, 1, 2);
    grid->addWidget(check(p, "ckbDoublePass", QStringLiteral("応答が遅いときは認証をやり直す")), 3, 0, 1, 2);

    QWidget *server = row(p,
        { check(p, "ckbServerON", QStringLiteral("メールサーバ機能を使う（メーラーはVeskと送受信）")),
            button(p, "btnPort", QStringLiteral("高度な設定(&P)")) });

    auto *leave = new QGroupBox(QStringLiteral("サーバーに残す"), p);
    auto *kept = new QGridLayout(leave);
    kept->addWidget(check(p, "ckbLeaveOnServer", QStringLiteral("サーバーにメールを残す")), 0, 0, 1, 2);
    QSpinBox *days = spin(p, "speLeaveDays");
    days->setRange(0, 36500);
    kept->addWidget(row(p,
                        { days,
                            named(new QLabel(QStringLiteral("日後にサーバーから削除 (0: 削除しない)"), p),
                                "lblLeaveDays") },
                        true),
        1, 0, 1, 2);
    kept->addWidget(check(p, "ckbDeleteWithMailer", QStringLiteral("メーラーで削除したらサーバーからも削除")),
        2, 0, 1, 2);
    // Vesk holds every message it stored, so nothing is lost by that.
    auto *hint = named(
        new QLabel(QStringLiteral("※ 後で外すと、残したメールは次のチェックでサーバーから削除されます。"), p),
        "lblLeaveHint");
    hint->setWordWrap(true);
    kept->addWidget(hint, 3, 0, 1, 2);

    auto *test = new QGroupBox(QStringLiteral("接続テスト（モニターで確認）"), p);
    auto *tests = new QHBoxLayout(test);
    tests->addWidget(button(p, "btnMonitorOn", QStringLiteral("MonitorON(&M)")));
    tests->addWidget(button(p, "btnCheck", QStringLiteral("&Check(&K)")));
    tests->addWidget(button(p, "btnTestCancel", QStringLiteral("C&ansel(&L)")));
    tests->addWidget(button(p, "btnMonitorClear", QStringLiteral("C&lear(&R)")));
    tests->addWidget(button(p, "btnMonitorClose", QStringLiteral("Clo&se(&E)")));

    auto *layout = new QVBoxLayout(p);
    layout->addWidget(mailRound);
    layout->addWidget(account);
    layout->addWidget(timing);
    layout->addWidget(server);
    layout->addWidget(leave);
    layout->addWidget(test);
    layout->addStretch(1);
    return p;
}

QWidget *security(QWidget *parent)
{
    QWidget *p = page(parent, "tabSecurity");
    const QStringList securities = { QStringLiteral("なし（暗号化しない）"),
        QStringLiteral("STARTTLS（接続後に暗号化）"), QStringLiteral("SSL/TLS（最初から暗号化）") };
    const auto choice = [p](const char *name, const QStringList &items) {
        auto *box = named(new QComboBox(p), name);
        box->addItems(items);
        return box;
    };
    const auto port = [p](const char *name) {
        QSpinBox *box = spin(p, name);
        box->setGroupSeparatorShown(false);
        return box;
    };

    auto *servers = new QGroupBox(QStringLiteral("サーバーとの接続"), p);
    auto *grid = new QGridLayout(servers);
    grid->addWidget(new QLabel(QStringLiteral("POP3"), p), 0, 0);
    grid->addWidget(choice("cmbPop3Security", securities), 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("ポート"), p), 0, 2);
    grid->addWidget(port("spePop3Port"), 0, 3);
    grid->addWidget(new QLabel(QStringLiteral("SMTP"), p), 1, 0);
    grid->addWidget(choice("cmbSmtpSecurity", securities), 1, 1);
    grid->addWidget(new QLabel(QStringLiteral("ポート"), p), 1, 2);
    grid->addWidget(port("speSmtpPort"), 1, 3);
    grid->setColumnStretch(1, 1);
    auto *trust = new QLabel(
        QStringLiteral("サーバー証明書はシステムの認証局で検証し、検証できないサーバーには接続しません。"),
        p);
    trust->setWordWrap(true);
    grid->addWidget(trust, 2, 0, 1, 4);

    auto *login = new QGroupBox(QStringLiteral("SMTP認証"), p);
    auto *form = new QFormLayout(login);
    form->addRow(QStringLiteral("認証方式"),
        row(p,
            { choice("cmbSmtpAuth",
                { QStringLiteral("なし"), QStringLiteral("自動"), QStringLiteral("PLAIN"),
                    QStringLiteral("LOGIN"), QStringLiteral("CRAM-MD5"), QStringLiteral("XOAUTH2"),
                    QStringLiteral("OAUTHBEARER") }) },
            true));
    QLineEdit *user = edit(p, "edtSmtpUserID");
    user->setPlaceholderText(QStringLiteral("空欄ならＨＯＳＴ設定のユーザーID"));
    form->addRow(QStringLiteral("ユーザーID"), user);
    QLineEdit *password = secret(p, "edtSmtpPassword");
    password->setPlaceholderText(QStringLiteral("空欄ならＨＯＳＴ設定のパスワード"));
    form->addRow(QStringLiteral("パスワード"), password);
    form->addRow(check(p, "ckbSmtpAuthPlain",
        QStringLiteral("暗号化しない接続でもPLAIN/LOGINでパスワードを送る（おすすめしません）")));

    // Providers that take no password: an access token in its place.
    auto *oauth = new QGroupBox(QStringLiteral("OAuth 2.0（パスワードの代わりにアクセストークン）"), p);
    auto *tokens = new QFormLayout(oauth);
    tokens->addRow(QStringLiteral("POP3認証"),
        row(p,
            { choice("cmbPop3Auth",
                { QStringLiteral("ユーザーID・パスワード（APOP）"), QStringLiteral("XOAUTH2"),
                    QStringLiteral("OAUTHBEARER") }) },
            true));
    QLineEdit *command = edit(p, "edtTokenCommand");
    command->setPlaceholderText(QStringLiteral("空欄なら下のサインインで得たトークンを使う"));
    tokens->addRow(QStringLiteral("トークンコマンド"), command);
    tokens->addRow(QStringLiteral("プロバイダー"),
        row(p,
            { choice("cmbOAuthPreset",
                { QStringLiteral("その他（Vesk.ini で指定）"), QStringLiteral("Google"),
                    QStringLiteral("Microsoft") }) },
            true));
    tokens->addRow(QStringLiteral("クライアントID"), edit(p, "edtOAuthClientID"));
    QLineEdit *clientSecret = secret(p, "edtOAuthClientSecret");
    clientSecret->setPlaceholderText(QStringLiteral("発行されたときだけ"));
    tokens->addRow(QStringLiteral("クライアントシークレット"), clientSecret);
    auto *signInResult = named(new QLabel(p), "lblSignIn");
    signInResult->setWordWrap(true);
    tokens->addRow(row(p, { button(p, "btnSignIn", QStringLiteral("ブラウザでサインイン")) }, true));
    tokens->addRow(signInResult);

    auto *layout = new QVBoxLayout(p);
    layout->addWidget(servers);
    layout->addWidget(login);
    layout->addWidget(oauth);
    layout->addStretch(1);
    return p;
}

QWidget *connection(QWidget *parent)
{
    QWidget *p = page(parent, "tabConnect");
    auto *method = new QGroupBox(QStringLiteral("接続方法"), p);
    auto *methods = new QHBoxLayout(method);
    methods->addWidget(named(new QRadioButton(QStringLiteral("[ LAN ] LAN使用"), p), "rdbLan"));
    methods->addWidget(named(new QRadioButton(QStringLiteral("[ TEL ] ダイアルアップ接続"), p), "rdbDmode1"));
    methods->addStretch(1);

    QWidget *dial = named(new QGroupBox(QStringLiteral("ダイアルアップ"), p), "pnlDial");
    auto *grid = new QGridLayout(dial);
    auto *list = named(new QListWidget(p), "ltbAp");
    list->setMaximumHeight(90);
    auto *hint = named(
        new QLabel(QStringLiteral("NetworkManager に接続できないので接続ポイントの一覧を表示できません。"), p),
        "lblDialHint");
    hint->setWordWrap(true);
    grid->addWidget(new QLabel(QStringLiteral("接続ポイント場所"), p), 0, 0);
    grid->addWidget(row(p, { edit(p, "edtAp"), button(p, "btnAP", QStringLiteral("<<")) }), 0, 1);
    grid->addWidget(list, 0, 2, 3, 1);
    grid->addWidget(hint, 3, 2);
    grid->addWidget(new QLabel(QStringLiteral("リダイアル回数"), p), 1, 0);
    grid->addWidget(row(p, { spin(p, "speReDial", QStringLiteral(" 回")) }, true), 1, 1);
    grid->addWidget(new QLabel(QStringLiteral("リダイアル間隔"), p), 2, 0);
    grid->addWidget(row(p, { spin(p, "speReDialWait", QStringLiteral(" 秒")) }, true), 2, 1);
    grid->addWidget(
        check(p, "ckbConnectBeep", QStringLiteral("接続中は1分ごとにビープ音を鳴らす")), 4, 0, 1, 3);
    auto *defNoncheck = check(p, "ckbDefNoncheck",
        QStringLiteral("上記「接続ポイント場所」以外の接続時、巡回メールチェックはしない。"));
    grid->addWidget(defNoncheck, 5, 0, 1, 3);
    grid->addWidget(
        check(p, "ckbDialDispOn", QStringLiteral("接続中はダイアルアップの状態を表示する")), 6, 0, 1, 3);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(2, 1);

    auto *layout = new QVBoxLayout(p);
    layout->addWidget(method);
    layout->addWidget(dial);
    layout->addWidget(row(p,
        { new QLabel(QStringLiteral("起動後、最初のチェックまで"), p),
            spin(p, "speFirstDelay", QStringLiteral(" 秒")) },
        true));
    layout->addStretch(1);
    return p;
}

QWidget *mailer1(QWidget *parent)
{
    QWidget *p = page(parent, "tabMailer1");
    auto *mailer = new QGroupBox(QStringLiteral("メーラー１"), p);
    auto *form = new QFormLayout(mailer);
    form->addRow(QStringLiteral("メーラー"),
        row(p,
            { edit(p, "edtMailer"), button(p, "btnMailerBrowse1", QStringLiteral("参照(&B)")),
                button(p, "btnMailerTest1", QStringLiteral("起動テスト(&T)")) }));
    form->addRow(QStringLiteral("起動スイッチ"), edit(p, "edtMailerSw"));
    QLineEdit *password = secret(p, "medMailPassword");
    password->setMaxLength(2);
    password->setMaximumWidth(50);
    form->addRow(QStringLiteral("起動パスワード（2文字）"), row(p, { password }, true));
    form->addRow(QStringLiteral("マクロ"),
        row(p,
            { edit(p, "edtMacro"), button(p, "btnMacroTest1", QStringLiteral("マクロテスト(&C)")),
                button(p, "btnMacroHelp1", QStringLiteral("マクロ詳細(&M)")) }));

    auto *start = new QGroupBox(QStringLiteral("メーラーの起動"), p);
    auto *starts = new QVBoxLayout(start);
    starts->addWidget(
        check(p, "ckbAutoOpen", QStringLiteral("手動チェックで着信があればメーラーを起動する")));
    starts->addWidget(check(p, "ckbWithCheck", QStringLiteral("メーラーを起動するときにメールチェックする")));
    starts->addWidget(check(p, "ckbMacroSend", QStringLiteral("着信がなくてもマクロを送る")));

    auto *server = new QGroupBox(QStringLiteral("メールサーバ機能"), p);
    auto *grid = new QGridLayout(server);
    grid->addWidget(check(p, "ckbDevideON", QStringLiteral("メーラーを2つ使う（振分け）")), 0, 0, 1, 2);
    grid->addWidget(check(p, "ckbManuSend", QStringLiteral("送信は手動（送受信箱に保留する）")), 1, 0, 1, 2);
    grid->addWidget(
        check(p, "ckbDirectCheck", QStringLiteral("メーラーの受信でプロバイダもチェックする")), 2, 0, 1, 2);
    grid->addWidget(
        check(p, "ckbAutoDevideDisp", QStringLiteral("メールがなくても送受信箱を表示する")), 3, 0, 1, 2);
    grid->addWidget(check(p, "ckbSendPause", QStringLiteral("着信があったら送信の前に確認する")), 4, 0);
    grid->addWidget(row(p, { spin(p, "speSendPauseTime", QStringLiteral(" 秒後に自動送信")) }, true), 4, 1);
    grid->addWidget(check(p, "ckbChoimi", QStringLiteral("送受信箱と一緒にちょい見を表示する")), 5, 0, 1, 2);
    grid->addWidget(named(new QLabel(QStringLiteral("ちょい見の最大行数"), p), "lblGyou"), 6, 0);
    grid->addWidget(row(p, { spin(p, "speGyou", QStringLiteral(" 行")) }, true), 6, 1);

    auto *layout = new QVBoxLayout(p);
    layout->addWidget(mailer);
    layout->addWidget(start);
    layout->addWidget(server);
    layout->addStretch(1);
    return p;
}

QWidget *mailer2(QWidget *parent)
{
    QWidget *p = page(parent, "tabMailer2");
    auto *mailer = named(new QGroupBox(QStringLiteral("メーラー２"), p), "grpMailer2");
    auto *form = new QFormLayout(mailer);
    form->addRow(QStringLiteral("メーラー"),
        row(p,
            { edit(p, "edtMailer2"), button(p, "btnMailerBrowse2", QStringLiteral("参照(R)")),
                button(p, "btnMailerTest2", QStringLiteral("起動テスト(&U)")) }));
    form->addRow(QStringLiteral("起動スイッチ"), edit(p, "edtMailerSw2"));
    QLineEdit *password = secret(p, "medMailPassword2");
    password->setMaxLength(2);
    password->setMaximumWidth(50);
    form->addRow(QStringLiteral("起動パスワード（2文字）"), row(p, { password }, true));
    form->addRow(QStringLiteral("マクロ"),
        row(p,
            { edit(p, "edtMacro2"), button(p, "btnMacroTest2", QStringLiteral("マクロテスト(&D)")),
                button(p, "btnMacroHelp2", QStringLiteral("マクロ詳細(&N)")) }));
    form->addRow(check(p, "ckbAutoOpen2", QStringLiteral("手動チェックで着信があればメーラー２を起動する")));
    form->addRow(check(p, "ckbDirectCheck2", QStringLiteral("メーラー２の受信でプロバイダもチェックする")));
    form->addRow(check(p, "ckbMacroSend2", QStringLiteral("着信がなくてもマクロを送る")));

    auto *layout = new QVBoxLayout(p);
    layout->addWidget(mailer);
    layout->addStretch(1);
    return p;
}

QWidget *other(QWidget *parent)
{
    QWidget *p = page(parent, "tabOther");
    auto *sound = new QGroupBox(QStringLiteral("サウンド"), p);
    auto *sounds = new QVBoxLayout(sound);
    sounds->addWidget(check(p, "ckbMailWave", QStringLiteral("メール着信時に音を鳴らす")));
    sounds->addWidget(row(p,
        { edit(p, "edtMailWave"), button(p, "btnMailWaveBrowse", QStringLiteral("参照(&B)")),
            button(p, "btnMailWaveTest", QStringLiteral("テスト(&T)")) }));
    sounds->addWidget(check(p, "ckbPlanWave", QStringLiteral("予定時間に音を出す")));
    sounds->addWidget(row(p,
        { edit(p, "edtPlanWave"), button(p, "btnPlanWaveBrowse", QStringLiteral("参照(&R)")),
            button(p, "btnPlanWaveTest", QStringLiteral("テスト(&U)")) }));

    auto *before = new QGroupBox(QStringLiteral("予定の事前のお知らせ"), p);
    auto *befores = new QHBoxLayout(before);
    befores->addWidget(check(p, "ckbBeforeOne", QStringLiteral("一回")));
    befores->addWidget(check(p, "ckbBeforeYear", QStringLiteral("毎年")));
    befores->addWidget(check(p, "ckbBeforeMonth", QStringLiteral("毎月")));
    befores->addWidget(check(p, "ckbBeforeWeek", QStringLiteral("毎週")));
    befores->addWidget(spin(p, "speDayBefore", QStringLiteral(" 日前から")));
    befores->addStretch(1);

    auto *look = new QGroupBox(QStringLiteral("表示"), p);
    auto *grid = new QGridLayout(look);
    grid->addWidget(new QLabel(QStringLiteral("時計の文字"), p), 0, 0);
    grid->addWidget(named(new FontButton(p), "spbFont"), 0, 1);
    grid->addWidget(named(new ColorButton(QStringLiteral("色"), p), "spbFontColor"), 0, 2);
    grid->addWidget(new QLabel(QStringLiteral("着信時の文字色"), p), 0, 3);
    grid->addWidget(named(new ColorButton(QStringLiteral("色"), p), "spbOnColor"), 0, 4);
    grid->addWidget(new QLabel(QStringLiteral("ちょい見の文字"), p), 1, 0);
    grid->addWidget(named(new FontButton(p), "spbChmFont"), 1, 1);
    grid->addWidget(named(new ColorButton(QStringLiteral("色"), p), "spbChmFontColor"), 1, 2);
    grid->addWidget(new QLabel(QStringLiteral("アニメーション速度"), p), 1, 3);
    grid->addWidget(spin(p, "speSlideSpeed", QStringLiteral(" ミリ秒")), 1, 4);
    grid->setColumnStretch(5, 1);

    auto *misc = new QGroupBox(QStringLiteral("その他"), p);
    auto *miscs = new QGridLayout(misc);
    miscs->addWidget(check(p, "ckbCalBack", QStringLiteral("カレンダー表示中は最前面にしない")), 0, 0);
    miscs->addWidget(check(p, "ckbShutNot", QStringLiteral("着信アニメーションを30分で止めない")), 0, 1);
    miscs->addWidget(check(p, "ckbWithClose", QStringLiteral("終了時、起動したソフトも閉じる")), 1, 0);
    miscs->addWidget(check(p, "ckbPelmaHide", QStringLiteral("起動時に付箋紙を表示しない")), 1, 1);
    miscs->addWidget(
        check(p, "ckbDesktopNotify", QStringLiteral("新着メールをデスクトップに通知する")), 2, 0);

    auto *layout = new QVBoxLayout(p);
    layout->addWidget(sound);
    layout->addWidget(before);
    layout->addWidget(look);
    layout->addWidget(misc);
    layout->addStretch(1);
    return p;
}

} // namespace vesk::settingpages
