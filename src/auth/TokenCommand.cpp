#include "auth/TokenCommand.h"

#include "auth/TokenReply.h"
#include "platform/CommandRunner.h"
#include "platform/EventPump.h"
#include "platform/Timer.h"

#include <limits>
#include <optional>

namespace vesk {

TokenCommand::TokenCommand(CommandRunner &runner, TimerFactory &timers, EventPump &pump)
    : m_runner(runner)
    , m_timers(timers)
    , m_pump(pump)
{ }

QString TokenCommand::accessToken(QString *error)
{
    if (m_command.trimmed().isEmpty()) {
        *error = QStringLiteral("トークンコマンドが設定されていません");
        return {};
    }
    std::optional<CommandRunner::Result> result;
    bool late = false;
    const std::unique_ptr<Timer> limit = m_timers.create();
    limit->setInterval(LimitMs);
    limit->setCallback([&] { late = true; });
    limit->start();
    m_runner.run(m_command, MaxTokenLength + 2, [&](const CommandRunner::Result &r) { result = r; });
    m_pump.waitUntil([&] { return result || late; }, std::numeric_limits<int>::max(), 10);
    limit->stop();
    if (!result) {
        m_runner.stop();
        *error = QStringLiteral("トークンコマンドが %1 秒以内に終わりませんでした").arg(LimitMs / 1000);
        return {};
    }
    if (!result->ok) {
        *error = QStringLiteral("トークンコマンド: ") + result->error;
        return {};
    }
    const qsizetype end = result->output.indexOf('\n');
    const QString token = QString::fromUtf8(result->output.left(end)).trimmed();
    if (!plausibleToken(token)) {
        *error = token.isEmpty() ? QStringLiteral("トークンコマンドが何も出力しませんでした")
                                 : QStringLiteral("トークンコマンドの出力の1行目がトークンではありません");
        return {};
    }
    return token;
}

} // namespace vesk
