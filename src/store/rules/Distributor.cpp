#include "store/rules/Distributor.h"

#include "platform/DurableFile.h"
#include "store/japanese/HeaderValue.h"
#include "store/japanese/ToFromSub.h"
#include "store/rules/ShiftJisText.h"

namespace vesk {

Distributor::Distributor(const MessageStore &store, const RuleLists &rules)
    : m_store(store)
    , m_transfer(store)
{
    setRules(rules);
}

void Distributor::setRules(const RuleLists &rules)
{
    m_rules = rules;
    for (int list = 1; list <= RuleLists::Count; ++list) {
        QList<DistributionRule> &compiled = m_compiled[list - 1];
        compiled.clear();
        for (const QString &rule : rules.list(list))
            compiled.append(DistributionRule(rule));
    }
}

Box Distributor::DevideGo(const QString &fileName)
{
    m_pendingCatchAll.reset();
    m_lastFileName = fileName;
    if (!DurableFile::isPlainName(fileName))
        return Box::InBox;

    const HeaderSummary header = ToFromSub(m_store.filePath(Box::InBox, fileName));
    const QByteArray own = ExtractTo(header.to);

    struct Step
    {
        int list;
        QByteArrayView text;
        Box folder;
    };
    const Step steps[] = {
        { 1, own, Box::InBox1 },
        { 2, own, Box::InBox2 },
        { 3, header.from, Box::InBox1 },
        { 4, header.from, Box::InBox2 },
    };
    for (const Step &step : steps) {
        const MoveResult result = DevideMove(step.list, step.text, fileName, step.folder, header.mailer);
        if (result.matched)
            return result.moved ? step.folder : Box::InBox;
    }
    if (m_pendingCatchAll && moveTo(fileName, *m_pendingCatchAll))
        return *m_pendingCatchAll;
    return Box::InBox;
}

Distributor::MoveResult Distributor::DevideMove(
    int list, QByteArrayView text, const QString &fileName, Box folder, QByteArrayView mailer)
{
    MoveResult result;
    if (!RuleLists::isValidList(list))
        return result;
    const QList<DistributionRule> &rules = m_compiled[list - 1];
    if (rules.isEmpty())
        return result;

    const QByteArray upperText = shiftjis::toUpper(text);
    const QByteArray upperMailer = shiftjis::toUpper(mailer);
    for (const DistributionRule &rule : rules) {
        if (rule.isCatchAll())
            m_pendingCatchAll = folder; // the last one met wins
        else if (rule.matches(upperText, upperMailer))
            result.matched = true;
    }
    if (result.matched)
        result.moved = moveTo(fileName, folder);
    return result;
}

bool Distributor::moveTo(const QString &fileName, Box folder)
{
    const BoxTransfer::Result moved = m_transfer.move(Box::InBox, folder, fileName);
    if (moved.moved)
        m_lastFileName = moved.fileName;
    return moved.moved;
}

} // namespace vesk
