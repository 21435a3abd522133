#include "server/SmtpCommands.h"

#include "mail/CoreServices.h"
#include "mail/MailHost.h"
#include "mail/MailText.h"
#include "mail/MailView.h"
#include "mail/ProtocolMonitor.h"
#include "mail/SessionState.h"
#include "platform/StagedFile.h"
#include "server/LocalDialogue.h"
#include "server/MessageIdFixup.h"
#include "server/ServerConfig.h"
#include "server/ServerEnvironment.h"
#include "server/ServerIdentity.h"
#include "server/SmtpBody.h"
#include "store/MessageStore.h"

namespace vesk {

void SmtpCommands::run(LocalDialogue &dialogue, ServerCommand command, const CommandLine &line)
{
    DialogueVariables &vars = dialogue.vars();
    switch (command) {
    case ServerCommand::HELO:
        vars.smtpAuthenticated = true;
        vars.heloName = line.argument;
        vars.recipients.clear();
        dialogue.sendTCP("250 " + dialogue.env().identity.hostName + " Hello, pleased to meet you");
        return;
    case ServerCommand::RSET:
        // A reset transaction must not send its recipients the next message.
        vars.sender.clear();
        vars.recipients.clear();
        dialogue.sendTCP("250 Reset State");
        return;
    case ServerCommand::MAIL: {
        vars.smtpAuthenticated = true;
        vars.recipients.clear();
        const QByteArray address = ExtractName(line.argument);
        // The envelope is written into the out-box file and later into
        // command lines to the provider: taken only if it can go there.
        if (!isSafeEnvelopeAddress(address)) {
            vars.sender.clear();
            dialogue.sendTCP("501 Bad sender address syntax");
            return;
        }
        vars.sender = address;
        dialogue.sendTCP("250 <" + vars.sender + ">... Sender ok");
        return;
    }
    case ServerCommand::RCPT: {
        if (vars.recipients.size() >= MaxRecipients) {
            dialogue.sendTCP("452 Too many recipients");
            return;
        }
        const QByteArray address = ExtractName(line.argument);
        if (address.isEmpty() || !isSafeEnvelopeAddress(address)) {
            dialogue.sendTCP("501 Bad recipient address syntax");
            return;
        }
        vars.recipients.append(address);
        dialogue.sendTCP("250 <" + address + ">... Recipient ok");
        return;
    }
    case ServerCommand::DATA:
        return data(dialogue, line);
    case ServerCommand::VRFY:
        dialogue.sendTCP("252");
        return;
    default:
        dialogue.failurePath(line.command);
        return;
    }
}

void SmtpCommands::data(LocalDialogue &dialogue, const CommandLine &line)
{
    DialogueVariables &vars = dialogue.vars();
    if (!vars.smtpAuthenticated) {
        dialogue.failurePath(line.command);
        return;
    }
    // A file without recipients could never be sent.
    if (vars.recipients.isEmpty()) {
        dialogue.sendTCP("503 Need RCPT (recipient)");
        return;
    }
    // The envelope and the trace line lead the file.
    QByteArray head = "VeskFrom: <" + vars.sender + ">\r\n";
    for (const QByteArray &recipient : vars.recipients)
        head += "VeskTo: <" + recipient + ">\r\n";
    head += "Received: from " + vars.heloName + " by " + vars.traceText + "\r\n";
    dialogue.sendTCP("354 Enter mail, end with \".\" on a line by itself");
    dialogue.env().view.showDirection(QStringLiteral("<"));
    const QByteArray host = dialogue.env().config.Host.toUtf8();
    dialogue.beginData(std::move(head),
        [host](QByteArray &text, qsizetype headSize) { MessageIdFixup(text, headSize, host); });
}

void SmtpCommands::dataEnded(LocalDialogue &dialogue, SmtpBody &body)
{
    ServerEnvironment &env = dialogue.env();
    QString fileName;
    if (body.overflow()) {
        dialogue.sendTCP("552 Message size exceeds the limit");
    } else {
        fileName = file(dialogue, body);
        // Accepted only once it is safely on disk; otherwise the mailer keeps it.
        dialogue.sendTCP(fileName.isEmpty() ? QByteArray("451 Mail not saved, try again later")
                                            : QByteArray("250 Mail accepted"));
    }
    dialogue.vars().recipients.clear();
    if (fileName.isEmpty())
        return;
    if (env.view.boxWindowOpen())
        env.view.messageAdded(Box::OutBox, fileName);
    else if (env.core.state.checkTrigger != 0 || env.config.AutoDevideDisp || env.config.ManuSend)
        env.view.showBoxWindow();
}

QString SmtpCommands::file(LocalDialogue &dialogue, SmtpBody &body)
{
    ServerEnvironment &env = dialogue.env();
    const MessageStore &store = env.core.store;
    QString error;
    bool saved = false;
    QString fileName;
    if (StagedFile *spool = body.spool()) {
        if (body.finishSpool()) {
            fileName = store.newFileName(store.timeStampGet(), { Box::OutBox });
            saved = store.commitStaged(*spool, Box::OutBox, fileName, &error);
        } else {
            error = spool->result().error;
        }
    } else {
        MessageIdFixup(body.text(), body.headSize(), env.config.Host.toUtf8());
        fileName = store.newFileName(store.timeStampGet(), { Box::OutBox });
        saved = store.saveContent(Box::OutBox, fileName, body.text(), &error);
    }
    if (!saved) {
        env.core.monitor.debug(error);
        return {};
    }
    return fileName;
}

} // namespace vesk
