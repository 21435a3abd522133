#pragma once

#include "mail/MailHost.h"
#include "mail/MailView.h"

#include <QList>
#include <QStringList>

#include <functional>

namespace vesk::test {

// The controller as the provider session and the local servers see it: the
// host they ask and the view they show things on, recording every call.
class RecordingHost final : public MailHost, public MailView
{
public:
    // MailHost
    void closeLocalServers() override { calls << QStringLiteral("close"); }
    void reopenLocalServers() override { calls << QStringLiteral("reopen"); }
    Placement devideGo(const QString &fileName) override
    {
        devided << fileName;
        return { Box::InBox1, fileName };
    }
    void checkStarted(const QString &lastTime) override { started << lastTime; }
    void restartMinuteTimer() override { ++minuteRestarts; }
    void connError() override { ++connErrors; }
    bool connectionTestRunning() const override { return connectionTest; }
    void clearNewMailIndication() override { ++newMailCleared; }
    void upLoad(int checkTrigger) override
    {
        upLoads << checkTrigger;
        if (onUpLoad)
            onUpLoad();
    }

    // MailView
    bool boxWindowOpen() const override { return boxOpen; }
    void showBoxWindow() override { ++boxShown; }
    void remainCheck() override { ++remainChecks; }
    void setBoxCaption(const QString &caption) override { captions << caption; }
    void messageAdded(Box box, const QString &fileName) override { added << row(box, fileName); }
    void messageRemoved(Box box, const QString &fileName) override { removed << row(box, fileName); }
    void setDisplayMode(int mode) override { modes << mode; }
    void showDirection(const QString &direction) override { directions << direction; }
    void progress() override { ++progressCalls; }

    // "InBox1/name" and the like.
    static QString row(Box box, const QString &fileName) { return boxFolderName(box) + fileName; }

    bool boxOpen = false;
    bool connectionTest = false;
    std::function<void()> onUpLoad;

    QStringList calls;
    QStringList devided;
    QStringList started;
    QStringList captions;
    QStringList added;
    QStringList removed;
    QStringList directions;
    QList<int> modes;
    QList<int> upLoads;
    int minuteRestarts = 0;
    int connErrors = 0;
    int newMailCleared = 0;
    int boxShown = 0;
    int remainChecks = 0;
    int progressCalls = 0;
};

} // namespace vesk::test
