#include "store/rules/RuleStorage.h"

#include "settings/RegRead.h"
#include "settings/SettingsSections.h"
#include "settings/SettingsStore.h"

namespace vesk::rulestorage {
namespace {

// Non-empty trimmed rules of a list: what is stored and what is used.
QStringList storedRules(const QStringList &rules)
{
    QStringList kept;
    for (const QString &rule : rules) {
        const QString trimmed = trimRule(rule);
        if (!trimmed.isEmpty())
            kept << trimmed;
    }
    return kept;
}

} // namespace

QString valueName(int list, int index)
{
    return QString::number(list * 100 + 1 + index);
}

RuleLists load(SettingsStore &store)
{
    return RuleLists(readDevideLists(store));
}

bool save(SettingsStore &store, const RuleLists &lists, QString *error)
{
    std::array<QStringList, RuleLists::Count> stored;
    for (int list = 1; list <= RuleLists::Count; ++list) {
        stored[list - 1] = storedRules(lists.list(list));
        if (stored[list - 1].size() > RuleLists::MaxRules) {
            if (error)
                *error = tooManyRulesText();
            return false;
        }
    }
    SettingsStore::Batch batch(store);
    store.eraseSection(sections::Devide);
    for (int list = 1; list <= RuleLists::Count; ++list) {
        const QStringList &rules = stored[list - 1];
        for (int index = 0; index < rules.size(); ++index)
            store.writeString(sections::Devide, valueName(list, index), rules[index]);
    }
    if (batch.commit())
        return true;
    if (error)
        *error = store.errorText();
    return false;
}

QString tooManyRulesText()
{
    return QStringLiteral("振り分け文字列は各欄100個までです");
}

} // namespace vesk::rulestorage
