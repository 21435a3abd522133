#pragma once

#include "mail/CoreServices.h"
#include "mail/ProtocolMonitor.h"
#include "mail/SessionState.h"
#include "store/MessageStore.h"
#include "support/FakeClock.h"
#include "support/FakeEventPump.h"
#include "support/FakeTimerFactory.h"
#include "support/Printers.h"
#include "support/RecordingHost.h"
#include "support/RecordingMessenger.h"
#include "support/TestFiles.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace vesk::test {

// The core's services around a store in a fresh temporary folder: a fake
// clock with its timers, a pump that waits without waiting, and a host and
// messenger that record what they are told.
class CoreFixture : public ::testing::Test
{
protected:
    CoreFixture() = default;
    explicit CoreFixture(const QDateTime &now)
        : m_clock(now)
    { }

    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        m_store.createFolders(m_messenger);
        ASSERT_TRUE(m_messenger.messages.isEmpty());
    }

    // What the protocol monitor shows goes to m_monitorLines.
    void recordMonitor()
    {
        m_monitor.attach([this](const QString &line) { m_monitorLines << line; });
    }
    // A file put into a box directly, as another program or an older copy would.
    void put(Box box, const QString &name, const QByteArray &content = "x\r\n")
    {
        ASSERT_TRUE(writeFile(m_store.filePath(box, name), content));
    }
    bool exists(Box box, const QString &name) const { return QFile::exists(m_store.filePath(box, name)); }
    QStringList listing(Box box) const { return m_store.listing(box); }
    QByteArray content(Box box, int index = 0) const { return m_store.read(box, listing(box).value(index)); }
    QList<QByteArray> contents(Box box) const
    {
        QList<QByteArray> out;
        for (const QString &name : listing(box))
            out << m_store.read(box, name);
        return out;
    }
    // A file where the box folder was: nothing can be saved there.
    void blockFolder(Box box)
    {
        ASSERT_TRUE(QDir(m_store.folderPath(box)).removeRecursively());
        QFile blocker(m_dir.path() + u'/' + boxFolderName(box).chopped(1));
        ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    }

    QTemporaryDir m_dir;
    FakeClock m_clock;
    RecordingMessenger m_messenger;
    MessageStore m_store { m_dir.path(), m_clock };
    SessionState m_state;
    ProtocolMonitor m_monitor;
    QStringList m_monitorLines;
    RecordingHost m_host;
    FakeTimerFactory m_timers { &m_clock };
    FakeEventPump m_pump;
    CoreServices m_core { m_clock, m_timers, m_pump, m_messenger, m_store, m_state, m_monitor };
};

} // namespace vesk::test
