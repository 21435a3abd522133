#include "server/Pop3Commands.h"

#include "mail/CoreServices.h"
#include "mail/MailHost.h"
#include "mail/MailView.h"
#include "mail/SessionState.h"
#include "mail/TMD5.h"
#include "server/LocalDialogue.h"
#include "server/ServerConfig.h"
#include "server/ServerEnvironment.h"
#include "server/ServerTexts.h"
#include "store/MessageNumber.h"

#include <QFile>

#include <algorithm>

namespace vesk {
namespace {

QByteArray number(qint64 value)
{
    return QByteArray::number(value);
}

// LIST and UIDL without a number, or with anything that is not one (read as
// -1), answer for the whole box. "-1" itself is such a number.
bool namesWholeBox(const QByteArray &word)
{
    if (word.isEmpty())
        return true;
    const std::optional<int> n = parseMessageNumber(QString::fromLatin1(word));
    return !n || *n == -1;
}

} // namespace

void Pop3Commands::run(LocalDialogue &dialogue, ServerCommand command, const CommandLine &line)
{
    switch (command) {
    case ServerCommand::APOP:
        return apop(dialogue, line);
    case ServerCommand::USER:
        return user(dialogue, line);
    case ServerCommand::PASS:
        return pass(dialogue, line);
    default:
        break;
    }
    DialogueVariables &vars = dialogue.vars();
    if (!vars.pop3Authenticated) {
        dialogue.failurePath(line.command);
        return;
    }
    switch (command) {
    case ServerCommand::STAT:
        dialogue.sendTCP("+OK " + number(vars.listing.count()) + ' ' + number(vars.listing.totalSize()));
        return;
    case ServerCommand::TOP:
        return top(dialogue, line);
    case ServerCommand::RETR:
        return retr(dialogue, line);
    case ServerCommand::LIST:
        return list(dialogue, line);
    case ServerCommand::DELE:
        return dele(dialogue, line);
    case ServerCommand::LAST:
        dialogue.sendTCP("+OK 0");
        return;
    case ServerCommand::NOOP:
        dialogue.sendTCP("+OK");
        return;
    case ServerCommand::UIDL:
        return uidl(dialogue, line);
    default:
        dialogue.failurePath(line.command);
        return;
    }
}

void Pop3Commands::apop(LocalDialogue &dialogue, const CommandLine &line)
{
    const ServerEnvironment &env = dialogue.env();
    DialogueVariables &vars = dialogue.vars();
    dialogue.setPop3Active(true);
    vars.retrieved = false;
    env.core.state.retrieved = false;
    vars.user = line.word(1);
    const QByteArray expected = TMD5::apopDigest(vars.greetingStamp, env.config.Password.toUtf8());
    login(dialogue, UserCheck(vars.user, env.config.UserID.toUtf8()) && line.word(2).toLower() == expected);
}

void Pop3Commands::user(LocalDialogue &dialogue, const CommandLine &line)
{
    DialogueVariables &vars = dialogue.vars();
    dialogue.setPop3Active(true);
    vars.retrieved = false;
    dialogue.env().core.state.retrieved = false;
    vars.user = line.argument;
    dialogue.sendTCP("+OK Password required for " + vars.user + '.');
}

void Pop3Commands::pass(LocalDialogue &dialogue, const CommandLine &line)
{
    const ServerConfig &config = dialogue.env().config;
    login(dialogue,
        UserCheck(dialogue.vars().user, config.UserID.toUtf8()) && line.argument == config.Password.toUtf8());
}

void Pop3Commands::login(LocalDialogue &dialogue, bool passed)
{
    DialogueVariables &vars = dialogue.vars();
    vars.pop3Authenticated = passed;
    if (!passed) {
        vars.listing.clear();
        dialogue.answerLogin(false, "-ERR Password supplied for \"" + vars.user + "\" is incorrect.");
        return;
    }
    // The numbers the mailer sees from now on.
    vars.listing.take(dialogue.env().core.store, dialogue.pop3Box());
    dialogue.answerLogin(true, "+OK " + vars.user + " has " + number(vars.listing.count()) + " message(s) ("
        + number(vars.listing.totalSize()) + " octets).");
}

void Pop3Commands::top(LocalDialogue &dialogue, const CommandLine &line)
{
    int n = 0;
    if (!dialogue.vars().listing.find(line.word(1), &n)) {
        dialogue.failurePath(line.command);
        return;
    }
    // Not a number counts as 0; below 0 sends what 0 sends.
    const int lines = std::max(0, parseMessageNumber(QString::fromLatin1(line.word(2))).value_or(0));
    dialogue.retrieve(line.command, n, lines);
}

void Pop3Commands::retr(LocalDialogue &dialogue, const CommandLine &line)
{
    dialogue.env().view.showDirection(QStringLiteral(">"));
    int n = 0;
    if (!dialogue.vars().listing.find(line.word(1), &n)) {
        dialogue.failurePath(line.command);
        return;
    }
    dialogue.retrieve(line.command, n, -1);
}

void Pop3Commands::list(LocalDialogue &dialogue, const CommandLine &line)
{
    const MessageListing &listing = dialogue.vars().listing;
    const QByteArray word = line.word(1);
    if (namesWholeBox(word)) {
        QByteArray text = "+OK " + number(listing.count()) + " message(s) (" + number(listing.totalSize())
            + " octets)\r\n";
        for (int i = 1; i <= listing.lastNumber(); ++i) {
            if (const MessageListing::Entry *entry = listing.at(i))
                text += number(i) + ' ' + number(entry->size) + "\r\n";
        }
        text += '.';
        dialogue.sendTCP(text);
        return;
    }
    int n = 0;
    const MessageListing::Entry *entry = listing.find(word, &n);
    if (!entry) {
        dialogue.sendTCP("-ERR no such message.");
        return;
    }
    dialogue.sendTCP("+OK " + number(n) + ' ' + number(entry->size));
}

void Pop3Commands::dele(LocalDialogue &dialogue, const CommandLine &line)
{
    ServerEnvironment &env = dialogue.env();
    MessageListing &listing = dialogue.vars().listing;
    int n = 0;
    const MessageListing::Entry *entry = listing.find(line.word(1), &n);
    if (!entry) {
        const bool deletedBefore = n >= 1 && n <= listing.lastNumber();
        dialogue.sendTCP(deletedBefore ? "-ERR Message" + number(n) + " dose not exist."
                                       : QByteArray("-ERR Too few arguments for the dele command."));
        return;
    }
    if (env.config.AutoDevideDisp && !env.view.boxWindowOpen())
        env.view.showBoxWindow();
    const Box box = listing.box();
    const QString fileName = entry->fileName;
    const bool existed = QFile::exists(env.core.store.filePath(box, fileName));
    if (!env.core.store.remove(box, fileName)) {
        // Still there: the mailer must not take it for deleted.
        dialogue.sendTCP("-ERR Message " + number(n) + " could not be deleted.");
        return;
    }
    listing.markDeleted(n);
    dialogue.sendTCP(existed ? "+OK Message " + number(n) + " has been deleted."
                             : "-ERR Message" + number(n) + " dose not exist.");
    if (env.view.boxWindowOpen())
        env.view.messageRemoved(box, fileName);
    env.host.clearNewMailIndication();
}

void Pop3Commands::uidl(LocalDialogue &dialogue, const CommandLine &line)
{
    const MessageStore &store = dialogue.env().core.store;
    MessageListing &listing = dialogue.vars().listing;
    const QByteArray word = line.word(1);
    if (namesWholeBox(word)) {
        if (listing.count() == 0) {
            dialogue.sendTCP("+OK 0 messages (0 octets)\r\n.");
            return;
        }
        QByteArray text = "+OK unique-id listing follows.\r\n";
        for (int i = 1; i <= listing.lastNumber(); ++i) {
            if (listing.at(i))
                text += number(i) + ' ' + listing.uniqueId(store, i) + "\r\n";
        }
        text += '.';
        dialogue.sendTCP(text);
        return;
    }
    int n = 0;
    const MessageListing::Entry *entry = listing.find(word, &n);
    if (!entry) {
        dialogue.sendTCP("-ERR no such message.");
        return;
    }
    dialogue.sendTCP("+OK " + number(n) + ' ' + listing.uniqueId(store, n));
}

} // namespace vesk
