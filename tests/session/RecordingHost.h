#pragma once

#include "session/MailHost.h"

#include <QStringList>

#include <functional>

namespace vesk::test {

// Keeps what the session asked of the rest of the program.
class RecordingHost final : public MailHost
{
public:
    void closeLocalServers() override { calls << QStringLiteral("close"); }
    void reopenLocalServers() override { calls << QStringLiteral("reopen"); }
    QString devideGo(const QString &fileName) override
    {
        devided << fileName;
        return devideList;
    }
    bool boxWindowOpen() const override { return boxOpen; }
    void showBoxWindow() override { ++boxShown; }
    void setBoxCaption(const QString &caption) override { captions << caption; }
    void addBoxRow(const QString &list, const QString &fileName) override
    {
        rows << list + QLatin1Char(':') + fileName;
    }
    void removeBoxRow(const QString &list, const QString &fileName) override
    {
        removedRows << list + QLatin1Char(':') + fileName;
    }
    void remainCheck() override { ++remainChecks; }
    void dialPanelStatus(const QString &text) override { panel << text; }
    void setDisplayMode(int mode) override { modes << mode; }
    void showDirection(const QString &direction) override { directions << direction; }
    void connError() override { ++connErrors; }
    void raiseMainWindow() override { ++raised; }
    bool connectionTestRunning() const override { return connectionTest; }
    void closeDialUp() override { ++dialUpClosed; }
    void checkStarted(const QString &lastTime) override { started << lastTime; }
    void restartMinuteTimer() override { ++minuteRestarts; }

    bool boxOpen = false;
    bool connectionTest = false;
    QString devideList = QStringLiteral("stgReceive1");
    QStringList calls;
    QStringList devided;
    QStringList captions;
    QStringList rows;
    QStringList removedRows;
    QStringList panel;
    QStringList directions;
    QStringList started;
    QList<int> modes;
    int boxShown = 0;
    int remainChecks = 0;
    int connErrors = 0;
    int raised = 0;
    int dialUpClosed = 0;
    int minuteRestarts = 0;
};

} // namespace vesk::test
