#pragma once

#include <QObject>
#include <QString>

#include <functional>

class QLocalServer;

namespace vesk {

// One running copy per user. The first copy holds a lock file (released by
// the kernel however the process ends) and listens on a local socket beside
// it; a later start sends its request there and ends. The folder must be
// the user's own and closed to others (PrivateFolder): otherwise nothing is
// locked, listened on or talked to there.
class SingleInstance final : public QObject
{
    Q_OBJECT
public:
    explicit SingleInstance(QString folder, QObject *parent = nullptr);
    ~SingleInstance() override;

    // True when this process is now the running copy.
    bool acquire(QString *error = nullptr);

    // The reply of a request: one call per line, then done.
    using Reply = std::function<void(const QString &text, bool finished)>;
    // Called in the running copy for each request of a later start.
    using Handler = std::function<void(const QString &command, const Reply &reply)>;
    void setHandler(Handler handler) { m_handler = std::move(handler); }

    // In a later start: sends `command` to the running copy and collects its
    // reply lines. Returns false when no copy answers within `timeoutMs`.
    bool request(const QString &command, QStringList *reply, int timeoutMs = 600000) const;

    QString socketPath() const;

private:
    void onNewConnection();

    QString m_folder;
    int m_lockFd = -1;
    QLocalServer *m_server = nullptr;
    Handler m_handler;
};

} // namespace vesk
