#include "boxes/BoxWindowLayout.h"

#include "settings/SettingsStore.h"
#include "settings/SettingsTable.h"

namespace vesk {

BoxWindowLayout BoxWindowLayout::read(SettingsStore &store)
{
    BoxWindowLayout l;
    l.width = SettingsTable::value(store, &Settings::DevideWidth);
    l.top = SettingsTable::value(store, &Settings::DevideTop);
    l.left = SettingsTable::value(store, &Settings::DevideLeft);
    l.columnA = SettingsTable::value(store, &Settings::DevideSendA);
    l.columnB = SettingsTable::value(store, &Settings::DevideSendB);
    l.columnC = SettingsTable::value(store, &Settings::DevideSendC);
    l.sendHeight = SettingsTable::value(store, &Settings::DevidePnl1);
    l.upperHeight = SettingsTable::value(store, &Settings::DevideUp);
    l.lowerHeight = SettingsTable::value(store, &Settings::DevideLow);
    l.receive2Height = SettingsTable::value(store, &Settings::DevidePnl4);
    l.compact = SettingsTable::value(store, &Settings::DevideMin);
    l.buttonsBelow = SettingsTable::value(store, &Settings::ButtonTop);
    l.withQuickView = SettingsTable::value(store, &Settings::ChoimiOn);
    return l;
}

void BoxWindowLayout::write(SettingsStore &store, bool twoMailers) const
{
    SettingsStore::Batch batch(store);
    SettingsTable::setValue(store, &Settings::DevideTop, top);
    SettingsTable::setValue(store, &Settings::DevideLeft, left);
    SettingsTable::setValue(store, &Settings::DevideSendA, columnA);
    SettingsTable::setValue(store, &Settings::DevideSendB, columnB);
    SettingsTable::setValue(store, &Settings::DevideSendC, columnC);
    SettingsTable::setValue(store, &Settings::DevideWidth, width);
    SettingsTable::setValue(store, &Settings::DevidePnl1, sendHeight);
    SettingsTable::setValue(store, &Settings::DevideUp, upperHeight);
    if (twoMailers) {
        SettingsTable::setValue(store, &Settings::DevidePnl4, receive2Height);
        SettingsTable::setValue(store, &Settings::DevideLow, lowerHeight);
        SettingsTable::setValue(store, &Settings::ButtonTop, buttonsBelow);
    }
    SettingsTable::setValue(store, &Settings::DevideMin, compact);
}

QuickViewLayout QuickViewLayout::read(SettingsStore &store)
{
    QuickViewLayout l;
    l.top = SettingsTable::value(store, &Settings::ChoimiTop);
    l.left = SettingsTable::value(store, &Settings::ChoimiLeft);
    l.width = SettingsTable::value(store, &Settings::ChoimiWidth);
    l.height = SettingsTable::value(store, &Settings::ChoimiHeight);
    l.header = SettingsTable::value(store, &Settings::ChoimiHead);
    return l;
}

void QuickViewLayout::write(SettingsStore &store) const
{
    SettingsStore::Batch batch(store);
    SettingsTable::setValue(store, &Settings::ChoimiTop, top);
    SettingsTable::setValue(store, &Settings::ChoimiLeft, left);
    SettingsTable::setValue(store, &Settings::ChoimiWidth, width);
    SettingsTable::setValue(store, &Settings::ChoimiHeight, height);
    SettingsTable::setValue(store, &Settings::ChoimiHead, header);
}

} // namespace vesk
