#pragma once

#include "store/rules/RuleLists.h"

#include <QString>

namespace vesk {

class SettingsStore;

// The rule lists in the settings section "Devide": one value per rule, named
// "101", "102", ... for list 1, "201", ... for list 2, "301", ... and "401", ...
// for lists 3 and 4, in list order. Reading is the settings reader's
// (readDevideLists; RegRead keeps the lists in Settings::DevideList only while
// mail checking, the local server function and two mailers are all on).
namespace rulestorage {

// The value name of the rule at `index` (from 0) of `list`.
QString valueName(int list, int index);

// All stored lists, whatever the switches say (for the settings dialog).
RuleLists load(SettingsStore &store);

// Replaces the whole section by the lists, in one save. A list of more than
// RuleLists::MaxRules rules cannot be stored by its value names: then nothing
// is written and `error` says why. False also when the save fails.
bool save(SettingsStore &store, const RuleLists &lists, QString *error = nullptr);

// "振り分け文字列は各欄100個までです"
QString tooManyRulesText();

} // namespace rulestorage
} // namespace vesk
