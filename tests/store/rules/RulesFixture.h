#pragma once

#include "store/MessageStore.h"
#include "store/japanese/Iconv.h"
#include "support/FakeClock.h"
#include "support/RecordingMessenger.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace vesk::test {

// A header value as a Japanese mailer writes it: ISO-2022-JP in a "B"
// encoded-word.
inline QByteArray encodedWord(const QString &text)
{
    Iconv toJis("ISO-2022-JP", "UTF-8");
    QByteArray jis;
    EXPECT_EQ(toJis.convert(text.toUtf8(), jis, "?"), 0);
    return "=?ISO-2022-JP?B?" + jis.toBase64() + "?=";
}

// A received message with the headers the rules look at.
inline QByteArray message(const QByteArray &to, const QByteArray &from, const QByteArray &mailer = {})
{
    QByteArray text = "Return-Path: <sender@example.org>\r\n";
    text += "From: " + from + "\r\n";
    text += "To: " + to + "\r\n";
    text += "Subject: test\r\n";
    if (!mailer.isEmpty())
        text += "X-Mailer: " + mailer + "\r\n";
    text += "\r\nbody line\r\n";
    return text;
}

// A store in a fresh temporary data folder with its four box folders.
class RulesFixture : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        m_store.createFolders(m_messenger);
        ASSERT_TRUE(m_messenger.messages.isEmpty());
    }

    void put(Box box, const QString &name, const QByteArray &content)
    {
        QFile file(m_store.filePath(box, name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_EQ(file.write(content), content.size());
    }

    // Stores a received message in InBox and returns its name.
    QString receive(const QByteArray &content)
    {
        const QString name
            = m_store.newFileName(m_store.timeStampGet(), { Box::InBox, Box::InBox1, Box::InBox2 });
        EXPECT_TRUE(m_store.saveContent(Box::InBox, name, content));
        return name;
    }

    bool exists(Box box, const QString &name) const { return QFile::exists(m_store.filePath(box, name)); }
    QStringList listing(Box box) const { return m_store.listing(box); }
    // Every file of a box folder, temporary ones included.
    QStringList allFiles(Box box) const
    {
        return QDir(m_store.folderPath(box)).entryList(QDir::Files | QDir::Hidden, QDir::Name);
    }

    QTemporaryDir m_dir;
    FakeClock m_clock { QDateTime(QDate(2026, 12, 5), QTime(20, 33, 10, 123)) };
    RecordingMessenger m_messenger;
    MessageStore m_store { m_dir.path(), m_clock };
};

} // namespace vesk::test
