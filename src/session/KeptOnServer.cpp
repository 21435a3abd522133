#include "session/KeptOnServer.h"

#include "store/MessageStore.h"

#include <QFileInfo>

namespace vesk {
namespace {

const QByteArray kJournalTag = "uidl ";

// "uidl <account> <stage> <entry>": the stage is "+" before the save, "=" after.
bool journalEntry(
    QByteArrayView line, const QByteArray &account, char *stage, QByteArray *id, KeptIds::Entry *entry)
{
    const QByteArray head = kJournalTag + account + ' ';
    if (!line.startsWith(head) || line.size() < head.size() + 2 || line[head.size() + 1] != ' ')
        return false;
    *stage = line[head.size()];
    return (*stage == '+' || *stage == '=') && KeptIds::parseLine(line.sliced(head.size() + 2), id, entry);
}

} // namespace

KeptOnServer::KeptOnServer(const MessageStore &store)
    : m_store(store)
{ }

void KeptOnServer::begin(
    const QString &host, const QString &user, const Rules &rules, const QList<QByteArray> &journal)
{
    m_rules = rules;
    const QString name = KeptIds::fileNameFor(host, user);
    m_path = m_store.root() + QLatin1Char('/') + name;
    m_account = name.mid(5, 16).toLatin1();
    m_kept = KeptIds::load(m_path);
    m_changed = false;
    m_listing.clear();
    m_listedIds.clear();
    m_deleting.clear();
    m_listingDone = false;
    m_deletesDone = false;
    m_finished = false;

    // What an earlier session stored but did not get into the list: stored
    // for certain after "=", and after "+" when its file was put in place.
    QHash<QByteArray, KeptIds::Entry> intents;
    for (const QByteArray &line : journal) {
        char stage = 0;
        QByteArray id;
        KeptIds::Entry entry;
        if (!journalEntry(line, m_account, &stage, &id, &entry) || m_kept.contains(id))
            continue;
        if (stage == '=') {
            m_kept.insert(id, entry);
            m_changed = true;
        } else {
            intents.insert(id, entry);
        }
    }
    for (auto it = intents.cbegin(); it != intents.cend(); ++it) {
        if (!m_kept.contains(it.key()) && heldLocally(it.value().fileName)) {
            m_kept.insert(it.key(), it.value());
            m_changed = true;
        }
    }
}

KeptOnServer::Listed KeptOnServer::listed(QByteArrayView line, int total)
{
    if (line == ".") {
        m_listingDone = true;
        return Listed::Done;
    }
    // "n id", one blank between (RFC 1939 7).
    const qsizetype blank = line.indexOf(' ');
    if (blank < 1 || blank > 10 || m_listing.size() >= total)
        return Listed::Bad;
    bool isNumber = false;
    const int number = line.first(blank).toByteArray().toInt(&isNumber);
    const QByteArrayView id = line.sliced(blank + 1);
    if (!isNumber || number < 1 || number > total || m_listing.contains(number) || !KeptIds::usableId(id))
        return Listed::Bad;
    const QByteArray key = id.toByteArray();
    if (m_listedIds.contains(key))
        return Listed::Bad;
    m_listing.insert(number, key);
    m_listedIds.insert(key, number);
    return Listed::More;
}

bool KeptOnServer::wholesaleChange() const
{
    if (m_kept.isEmpty() || m_listing.isEmpty())
        return false;
    for (auto it = m_kept.cbegin(); it != m_kept.cend(); ++it) {
        if (m_listedIds.contains(it.key()))
            return false;
    }
    // Mail the user deleted elsewhere leaves fewer: a rebuilt list is about
    // as long as the one it replaced.
    return newCount() * 2 > m_kept.size();
}

void KeptOnServer::dropListing()
{
    m_listing.clear();
    m_listedIds.clear();
    m_listingDone = false;
}

int KeptOnServer::newCount() const
{
    int count = 0;
    for (const QByteArray &id : m_listing) {
        if (!m_kept.contains(id))
            ++count;
    }
    return count;
}

QList<KeptOnServer::Step> KeptOnServer::plan(const QDateTime &now) const
{
    QList<Step> steps;
    for (auto it = m_listing.cend(); it != m_listing.cbegin();) {
        --it;
        const auto kept = m_kept.constFind(it.value());
        if (kept == m_kept.cend()) {
            steps.append(Step { it.key(), it.value(), true });
            continue;
        }
        // Turned off, leave mode gives back what it held: the store has it.
        const bool due = !m_rules.leave
            || (m_rules.days > 0 && kept->stored.addDays(m_rules.days) <= now.toUTC())
            || (m_rules.withMailer && !kept->fileName.isEmpty() && !heldLocally(kept->fileName));
        if (due)
            steps.append(Step { it.key(), it.value(), false });
    }
    return steps;
}

QByteArray KeptOnServer::intentLine(const QByteArray &id, const QString &fileName, const QDateTime &now) const
{
    return kJournalTag + m_account + " + " + KeptIds::lineOf(id, { now.toUTC(), fileName });
}

QByteArray KeptOnServer::storedLine(const QByteArray &id, const QString &fileName, const QDateTime &now) const
{
    return kJournalTag + m_account + " = " + KeptIds::lineOf(id, { now.toUTC(), fileName });
}

void KeptOnServer::stored(const QByteArray &id, const QString &fileName, const QDateTime &now)
{
    m_kept.insert(id, { now.toUTC(), fileName });
    m_changed = true;
}

bool KeptOnServer::finish(QString *error)
{
    if (m_finished)
        return true;
    m_finished = true;
    if (m_deletesDone) {
        for (const QByteArray &id : std::as_const(m_deleting))
            m_changed |= m_kept.remove(id) > 0;
    }
    // Only a whole listing tells what the provider no longer has.
    if (m_listingDone) {
        for (auto it = m_kept.begin(); it != m_kept.end();) {
            if (m_listedIds.contains(it.key())) {
                ++it;
            } else {
                it = m_kept.erase(it);
                m_changed = true;
            }
        }
    }
    if (!m_changed)
        return true;
    m_changed = false;
    return KeptIds::save(m_path, m_kept, error);
}

bool KeptOnServer::heldLocally(const QString &fileName) const
{
    if (fileName.isEmpty())
        return false;
    for (const Box box : { Box::InBox, Box::InBox1, Box::InBox2 }) {
        if (QFileInfo(m_store.filePath(box, fileName)).isFile())
            return true;
    }
    return false;
}

} // namespace vesk
