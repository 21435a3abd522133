#pragma once

#include "store/MessageStore.h"
#include "support/FakeClock.h"
#include "support/RecordingMessenger.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace vesk::test {

// A store in a fresh temporary data folder with its four box folders.
class StoreFixture : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        m_store.createFolders(m_messenger);
        ASSERT_TRUE(m_messenger.messages.isEmpty());
    }

    // Puts a file into a box directly, as another program or an older copy would.
    void put(Box box, const QString &name, const QByteArray &content = "x\r\n")
    {
        QFile file(m_store.filePath(box, name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_EQ(file.write(content), content.size());
    }

    bool exists(Box box, const QString &name) const { return QFile::exists(m_store.filePath(box, name)); }

    QTemporaryDir m_dir;
    FakeClock m_clock { QDateTime(QDate(2026, 12, 5), QTime(20, 33, 10, 123)) };
    RecordingMessenger m_messenger;
    MessageStore m_store { m_dir.path(), m_clock };
};

} // namespace vesk::test
