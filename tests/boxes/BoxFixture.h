#pragma once

#include "JapaneseTestText.h"

#include "boxes/BoxCommands.h"
#include "boxes/BoxHost.h"
#include "boxes/BoxWindowModel.h"
#include "boxes/MessageTrash.h"
#include "settings/Settings.h"
#include "support/CoreFixture.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

namespace vesk::test {

// The resident program as the box window sees it, recording its requests.
class RecordingBoxHost final : public BoxHost
{
public:
    const Settings &settings() const override { return config; }
    QString lastTime() const override { return QStringLiteral("12/6 8:00"); }
    void wakeMailer(int mailer) override { calls << QStringLiteral("wake%1").arg(mailer); }
    void keyTyped(QChar character) override { typed += character; }
    void checkNow(bool keepLine) override
    {
        calls << (keepLine ? QStringLiteral("check2") : QStringLiteral("check1"));
    }
    bool sendHeld() const override { return held; }
    void setSendHeld(bool h) override { held = h; }
    bool mailIndicationOn() const override { return indication; }
    void toggleMailIndication() override { indication = !indication; }
    void popUpCheck() override { calls << QStringLiteral("popUpCheck"); }
    void openSettings(bool rulesPage) override
    {
        calls << (rulesPage ? QStringLiteral("rules") : QStringLiteral("settings"));
    }
    void offerRule(int list, const QString &text) override
    {
        calls << QStringLiteral("rule%1 %2").arg(list).arg(text);
    }
    RuleLists distributionRules() const override { return rules; }
    void sendToStickyNote(const QString &text) override { notes << text; }
    void setBoxWindowOpen(bool) override { }

    Settings config;
    RuleLists rules;
    QStringList notes;
    QStringList calls;
    QString typed;
    bool held = false;
    bool indication = false;
};

// A trash that keeps what it is given in a folder of its own, or refuses
// the names it is told to.
class FolderTrash final : public MessageTrash
{
public:
    explicit FolderTrash(QString folder)
        : m_folder(std::move(folder))
    {
        QDir().mkpath(m_folder);
    }
    bool moveToTrash(const QString &path, QString *error) override
    {
        const QString name = QFileInfo(path).fileName();
        if (refused.contains(name)) {
            *error = QStringLiteral("refused");
            return false;
        }
        trashed << name;
        return QFile::rename(path, m_folder + u'/' + name + QString::number(trashed.size()));
    }
    QStringList refused;
    QStringList trashed;

private:
    QString m_folder;
};

// A data folder with the four boxes and a box window model over it.
class BoxFixture : public CoreFixture
{
protected:
    // A message from `sender` about `subject`, in ISO-2022-JP as mail travels.
    static QByteArray mail(const QString &sender, const QString &subject, const QByteArray &body = "body\r\n")
    {
        return "From: " + jisWord(sender) + " <from@example.jp>\r\nTo: " + jisWord(QStringLiteral("自分"))
            + " <me@example.jp>\r\nSubject: " + jisWord(subject) + "\r\n\r\n" + body;
    }

    BoxListModel &list(Grid grid) { return window.list(grid); }

    // The user picks rows top..bottom of a list with the mouse.
    void pick(Grid grid, int top, int bottom = -1)
    {
        window.viewReport().setFocusedGrid(grid);
        window.setCurrent(grid, top);
        window.viewReport().setSelection(grid, top, bottom < 0 ? top : bottom);
    }

    RecordingBoxHost host;
    FolderTrash trash { m_dir.path() + QStringLiteral("/trash") };
    BoxWindowModel window { m_store, host, m_timers };
    BoxCommands commands { window, m_messenger, trash };
};

} // namespace vesk::test
