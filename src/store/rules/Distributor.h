#pragma once

#include "store/MessageStore.h"
#include "store/rules/BoxTransfer.h"
#include "store/rules/DistributionRule.h"
#include "store/rules/RuleLists.h"

#include <QByteArrayView>
#include <QList>
#include <QString>

#include <array>
#include <optional>

namespace vesk {

// Distributes the messages of "InBox/" to the two mailers' boxes by the rule
// lists, in this order: list 1 (own names -> InBox1), list 2 (own names ->
// InBox2), list 3 (sender -> InBox1), list 4 (sender -> InBox2). The first
// list with a matching rule takes the message; unmatched mail goes where the
// last catch-all ("*") met points, if any.
class Distributor final
{
public:
    explicit Distributor(const MessageStore &store, const RuleLists &rules = {});

    void setRules(const RuleLists &rules);
    const RuleLists &rules() const { return m_rules; }

    // Distributes one message of "InBox/". Returns the box where it is now:
    // InBox (it stayed), InBox1 or InBox2.
    Box DevideGo(const QString &fileName);

    // The name under which the last DevideGo left the message. It differs from
    // the name given only when the mailer's box already held another message
    // of that name.
    const QString &lastFileName() const { return m_lastFileName; }

    struct MoveResult
    {
        bool matched = false;
        bool moved = false;
    };
    // Tries one list (1 to 4) on the message: all its rules are visited, a
    // catch-all is remembered for DevideGo, and on a match the message is
    // moved to `folder`. Texts are Shift_JIS as the header reader gives them.
    MoveResult DevideMove(
        int list, QByteArrayView text, const QString &fileName, Box folder, QByteArrayView mailer);

private:
    bool moveTo(const QString &fileName, Box folder);

    const MessageStore &m_store;
    BoxTransfer m_transfer;
    RuleLists m_rules;
    std::array<QList<DistributionRule>, RuleLists::Count> m_compiled;
    std::optional<Box> m_pendingCatchAll;
    QString m_lastFileName;
};

} // namespace vesk
