#pragma once

#include "boxes/BodyDecoder.h"
#include "boxes/BoxGrid.h"

#include <QObject>
#include <QStringList>

#include <memory>
#include <optional>

namespace vesk {

class BoxCommands;
class BoxWindowModel;
class MessageTrash;
class Messenger;
class Timer;
class TimerFactory;

// The quick view ("ちょい見") without its widgets: the message it shows, the
// steps through the list, erasing the message shown and launching its mailer.
class QuickViewModel final : public QObject
{
    Q_OBJECT

public:
    static inline const QString Title = QStringLiteral("Veskちょい見");
    // A burst of steps within this time shows the first and the last message.
    static constexpr int BurstMs = 200;
    // Only the start of a message file is read: enough for any preview.
    static constexpr qint64 ReadLimit = 4 * 1024 * 1024;

    QuickViewModel(BoxWindowModel &window, BoxCommands &commands, Messenger &messenger, MessageTrash &trash,
        TimerFactory &timers, QObject *parent = nullptr);
    ~QuickViewModel() override;

    // ChoimiShow and closing: the box window's hints follow.
    bool isOpen() const;
    void setOpen(bool open);

    // Choimi: shows the box window's remembered message.
    void choimi();
    // spbDown / spbUp: one row on in the box window's active list.
    void stepDown();
    void stepUp();
    // spbErase: the message shown to the trash, unless the list changed.
    void erase();
    // spbReceive: the mailer of the message's box.
    void launchMailer();
    // Nothing shown any more (the message left under the view).
    void clear();

    QString caption() const { return m_caption; }
    QString otherParty() const { return m_otherParty; }
    QString ownName() const { return m_ownName; }
    QString fileName() const { return m_fileName; }
    const QStringList &headerLines() const { return m_header; }
    const QStringList &bodyLines() const { return m_body; }

signals:
    void changed();

private:
    void step(int delta);
    void burstEnded();
    bool refusedByPassword(Grid grid) const;
    void clearPanes();

    BoxWindowModel &m_window;
    BoxCommands &m_commands;
    Messenger &m_messenger;
    MessageTrash &m_trash;
    std::unique_ptr<Timer> m_timMsec;
    int m_steps = 0;
    BodyDecoder m_decoder;

    QString m_caption = Title;
    QString m_otherParty;
    QString m_ownName;
    QString m_fileName;
    QStringList m_header;
    QStringList m_body;
    std::optional<Grid> m_grid;
    int m_row = -1;
};

} // namespace vesk
