#pragma once

#include "platform/SecretStore.h"

#include <map>

namespace vesk::test {

// A keyring in memory: its items by key; it can be away, or refuse writes.
class FakeSecretStore final : public SecretStore
{
public:
    bool available() override { return answers; }
    Status read(const QString &key, QString *secret) override
    {
        if (!answers)
            return Status::Unavailable;
        const auto it = items.find(key);
        if (it == items.end())
            return Status::Missing;
        *secret = it->second.second;
        return Status::Found;
    }
    bool write(const Item &item, const QString &secret) override
    {
        if (!answers || refusesWrites)
            return false;
        items[item.key] = { item, secret };
        return true;
    }
    bool remove(const QString &key) override
    {
        if (!answers)
            return false;
        items.erase(key);
        return true;
    }

    QString secret(const QString &key) const { return items.count(key) ? items.at(key).second : QString(); }
    QString label(const QString &key) const
    {
        return items.count(key) ? items.at(key).first.label : QString();
    }

    bool answers = true;
    bool refusesWrites = false; // a dismissed unlock prompt
    std::map<QString, std::pair<Item, QString>> items;
};

} // namespace vesk::test
