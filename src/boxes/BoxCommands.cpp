#include "boxes/BoxCommands.h"

#include "boxes/BoxHost.h"
#include "boxes/BoxWindowModel.h"
#include "boxes/MessageTrash.h"
#include "platform/Messenger.h"
#include "settings/Settings.h"
#include "store/japanese/HeaderBlock.h"
#include "store/rules/BoxTransfer.h"
#include "store/rules/Distributor.h"
#include "store/rules/Redistributor.h"

#include <QFileInfo>

namespace vesk {
namespace {

// Whether an out-box message carries its envelope ("VeskTo:" in its header).
bool hasEnvelope(const MessageStore &store, const QString &fileName)
{
    const QByteArray header = readHeaderBlock(store.filePath(Box::OutBox, fileName));
    for (const QByteArray &line : header.split('\n')) {
        if (line.size() >= 7 && QByteArrayView(line).first(7).compare("VESKTO:", Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

Grid nextUp(Grid grid)
{
    switch (grid) {
    case Grid::Receive2:
        return Grid::Receive1;
    case Grid::Receive1:
        return Grid::Receive;
    case Grid::Receive:
        return Grid::Send;
    case Grid::Send:
        return Grid::Receive2;
    }
    return grid;
}

// One box up in the cycle, passing over the boxes the window does not show.
Grid oneUp(const BoxWindowModel &window, Grid grid)
{
    Grid up = nextUp(grid);
    while (!window.isVisible(up))
        up = nextUp(up);
    return up;
}

} // namespace

QString ruleText(int list, const QString &otherParty, const QString &ownName)
{
    if (list == 1 || list == 2)
        return ownName.trimmed();
    QString text = otherParty.trimmed();
    const qsizetype open = text.indexOf(QLatin1Char('<'));
    const qsizetype close = text.indexOf(QLatin1Char('>'));
    if (open >= 0 && close >= 0) {
        text = text.mid(open + 1, close - open - 1);
    } else {
        const qsizetype from = text.indexOf(QLatin1Char('('));
        const qsizetype to = text.indexOf(QLatin1Char(')'));
        if (from >= 0 && to >= from)
            text.remove(from, to - from + 1);
    }
    return text.trimmed();
}

BoxCommands::BoxCommands(BoxWindowModel &window, Messenger &messenger, MessageTrash &trash)
    : m_window(window)
    , m_messenger(messenger)
    , m_trash(trash)
{ }

QStringList BoxCommands::trash(Box box, const QStringList &fileNames)
{
    const MessageStore &store = m_window.store();
    QStringList stayed;
    for (const QString &name : fileNames) {
        const QString path = store.filePath(box, name);
        QString error;
        if (!m_trash.moveToTrash(path, &error) && QFileInfo::exists(path))
            stayed << name + QStringLiteral(" : ") + error;
        if (!QFileInfo::exists(path))
            m_window.list(gridOfBox(box)).removeFile(name);
    }
    return stayed;
}

void BoxCommands::erase()
{
    const std::optional<Grid> grid = m_window.activeGrid();
    if (!grid) {
        m_messenger.beep();
        m_messenger.message(QStringLiteral("削除するメールを指定して下さい"));
        return;
    }
    BoxListModel &list = m_window.list(*grid);
    const BoxViewReport::Selection selection = m_window.viewReport().selection(*grid);
    if (!selection.isValid())
        return;
    QStringList names;
    for (int row = selection.top; row <= selection.bottom; ++row) {
        if (!list.fileName(row).isEmpty())
            names << list.fileName(row);
    }
    m_messenger.beep();
    if (list.fileName(m_window.rememberedRow()).trimmed().isEmpty() || names.isEmpty()) {
        m_messenger.message(QStringLiteral("ファイルがありません"));
        return;
    }
    const auto answer = m_messenger.ask(QStringLiteral("ゴミ箱行き"),
        QStringLiteral("%1通のメールをゴミ箱に移します。\r\nよろしいですか？").arg(names.size()),
        Messenger::Buttons::YesNo);
    if (answer == Messenger::Answer::Yes) {
        const QStringList stayed = trash(list.box(), names);
        if (!stayed.isEmpty()) {
            m_messenger.beep();
            m_messenger.message(QStringLiteral("ゴミ箱に移せなかったメールがあります。\r\n")
                + stayed.join(QStringLiteral("\r\n")));
        }
    }
    afterErase(*grid);
}

void BoxCommands::afterErase(Grid grid)
{
    emit m_window.quickViewClearRequested();
    m_window.setRememberedRow(std::min(m_window.currentRow(grid), m_window.list(grid).rowCount() - 1));
    if (!m_window.allEmpty())
        return;
    if (m_window.host().settings().AutoDevideDisp)
        m_window.host().popUpCheck();
    else
        emit m_window.closeRequested();
}

void BoxCommands::move(int tag)
{
    const std::optional<Grid> source = m_window.viewReport().focusedGrid();
    if (!source || m_window.currentRow(*source) < 0) {
        m_messenger.beep();
        m_messenger.message(QStringLiteral("移動するメールを指定して下さい"));
        return;
    }
    // A move into a box the window does not show would leave no trace.
    if (tag >= 1 && tag <= 3 && !m_window.twoMailers()) {
        m_messenger.beep();
        return;
    }
    switch (tag) {
    case 1:
        moveDisp(*source, Grid::Receive1, 1);
        break;
    case 2:
        moveDisp(*source, Grid::Receive2, 1);
        break;
    case 3:
        moveDisp(*source, Grid::Receive1, 0);
        moveDisp(*source, Grid::Receive2, 2);
        break;
    default:
        moveDisp(*source, oneUp(m_window, *source), 1);
        break;
    }
}

void BoxCommands::moveDisp(Grid source, Grid destination, int mode)
{
    if (source == destination || !m_window.isVisible(destination))
        return;
    BoxListModel &from = m_window.list(source);
    BoxListModel &to = m_window.list(destination);
    const BoxViewReport::Selection selection = m_window.viewReport().selection(source);
    if (!selection.isValid() || from.fileName(selection.top).trimmed().isEmpty())
        return;
    QStringList names;
    for (int row = selection.top; row <= selection.bottom; ++row) {
        if (!from.fileName(row).isEmpty())
            names << from.fileName(row);
    }
    const bool removeSources
        = !m_window.viewReport().copyFlag() && (mode == 1 || (mode == 2 && !isMailerGrid(source)));
    const BoxTransfer transfer(m_window.store());
    QString lastMoved;
    for (const QString &name : names) {
        const BoxTransfer::Result result = removeSources ? transfer.move(from.box(), to.box(), name)
                                                         : transfer.copy(from.box(), to.box(), name);
        if (!result.moved) {
            m_messenger.beep();
            m_messenger.message(QStringLiteral("移動に失敗しました。\r\n") + result.error);
            m_window.syncAll();
            return;
        }
        to.rowAdd(result.fileName);
        if (removeSources)
            from.removeFile(name);
        lastMoved = result.fileName;
    }
    if (destination == Grid::Send && !lastMoved.isEmpty() && !hasEnvelope(m_window.store(), lastMoved)) {
        m_messenger.beep();
        m_messenger.message(QStringLiteral("このメールにはVesk送信情報がありませんので、送信は出来ません"));
    }
    if (m_window.activeGrid() == source)
        m_window.setRememberedRow(std::min(m_window.currentRow(source), from.rowCount() - 1));
}

void BoxCommands::dropOn(Grid target)
{
    const std::optional<Grid> active = m_window.activeGrid();
    if (active && *active != target)
        moveDisp(*active, target, 1);
}

void BoxCommands::ruleFromMessage(int list)
{
    const std::optional<Grid> grid = m_window.activeGrid();
    if (!grid) {
        m_messenger.beep();
        m_messenger.message(QStringLiteral("メールを指定してください"));
        return;
    }
    const BoxListRow row = m_window.list(*grid).row(m_window.rememberedRow());
    if (row.otherParty.isEmpty()) {
        m_window.host().openSettings(true);
        return;
    }
    const QString text = ruleText(list, row.otherParty, row.ownName);
    if (text.isEmpty()) {
        m_messenger.beep();
        m_messenger.message(QStringLiteral("入力する文字列がありません"));
        return;
    }
    m_window.host().offerRule(list, text);
}

void BoxCommands::redistribute()
{
    Distributor distributor(m_window.store(), m_window.host().distributionRules());
    Redistributor redistributor(m_window.store(), distributor);
    const Redistributor::Report report = redistributor.mnuReDevClick();
    for (Grid grid : { Grid::Receive, Grid::Receive1, Grid::Receive2 })
        m_window.list(grid).refill();
    m_window.syncAll();
    if (!report.notReturned.isEmpty()) {
        m_messenger.beep();
        m_messenger.message(QStringLiteral("［受］に戻せなかったメールがあります。\r\n")
            + report.notReturned.join(QStringLiteral("\r\n")));
    }
}

void BoxCommands::launchMailer(int mailer)
{
    const Settings &settings = m_window.host().settings();
    const QString &password = mailer == 2 ? settings.MailPassword2 : settings.MailPassword;
    if (!password.isEmpty()) {
        m_messenger.beep();
        m_messenger.message(mailer == 2 ? QStringLiteral("Mailer2起動用のパスワードを入力してください")
                                        : QStringLiteral("Mailer1起動用のパスワードを入力してください"));
        return;
    }
    m_window.host().wakeMailer(mailer);
}

void BoxCommands::send(bool keepLine)
{
    if (keepLine && m_window.host().settings().DialMode <= 0)
        return;
    m_window.host().checkNow(keepLine);
}

void BoxCommands::cleanAll()
{
    const MessageStore &store = m_window.store();
    QList<std::pair<Box, QStringList>> boxes;
    qsizetype count = 0;
    for (Box box : { Box::InBox, Box::InBox1, Box::InBox2, Box::OutBox }) {
        boxes.append({ box, store.listing(box) });
        count += boxes.last().second.size();
    }
    if (count == 0) {
        m_messenger.beep();
        m_messenger.message(QStringLiteral("ファイルはありません"));
        return;
    }
    const auto answer = m_messenger.ask(QStringLiteral("確認"),
        QStringLiteral("送受信箱の中身を全て消します。\r\n消してもよろしいですか？"),
        Messenger::Buttons::YesNo);
    if (answer != Messenger::Answer::Yes)
        return;
    QStringList stayed;
    for (const auto &[box, names] : boxes)
        stayed << trash(box, names);
    emit m_window.quickViewClearRequested();
    m_window.refillAll();
    if (!stayed.isEmpty()) {
        m_messenger.beep();
        m_messenger.message(QStringLiteral("ゴミ箱に移せなかったメールがあります。\r\n")
            + stayed.join(QStringLiteral("\r\n")));
    }
    if (m_window.allEmpty())
        m_window.host().popUpCheck();
}

void BoxCommands::toggleIndication()
{
    m_window.host().toggleMailIndication();
}

void BoxCommands::escape()
{
    if (m_window.host().mailIndicationOn())
        m_window.host().toggleMailIndication();
}

} // namespace vesk
