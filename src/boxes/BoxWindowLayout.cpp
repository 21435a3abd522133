#include "boxes/BoxWindowLayout.h"

#include "settings/SettingsStore.h"

namespace vesk {
namespace {

const QString Disp = QStringLiteral("Disp");
const QString Config = QStringLiteral("Config");

} // namespace

BoxWindowLayout BoxWindowLayout::read(SettingsStore &store)
{
    const BoxWindowLayout d;
    BoxWindowLayout l;
    l.width = store.readInteger(Disp, QStringLiteral("DevideWidth"), d.width);
    l.top = store.readInteger(Disp, QStringLiteral("DevideTop"), d.top);
    l.left = store.readInteger(Disp, QStringLiteral("DevideLeft"), d.left);
    l.columnA = store.readInteger(Disp, QStringLiteral("DevideSendA"), d.columnA);
    l.columnB = store.readInteger(Disp, QStringLiteral("DevideSendB"), d.columnB);
    l.columnC = store.readInteger(Disp, QStringLiteral("DevideSendC"), d.columnC);
    l.sendHeight = store.readInteger(Disp, QStringLiteral("DevidePnl1"), d.sendHeight);
    l.upperHeight = store.readInteger(Disp, QStringLiteral("DevideUp"), d.upperHeight);
    l.lowerHeight = store.readInteger(Disp, QStringLiteral("DevideLow"), d.lowerHeight);
    l.receive2Height = store.readInteger(Disp, QStringLiteral("DevidePnl4"), d.receive2Height);
    l.compact = store.readBool(Disp, QStringLiteral("DevideMin"), d.compact);
    l.buttonsBelow = store.readBool(Disp, QStringLiteral("ButtonTop"), d.buttonsBelow);
    l.withQuickView = store.readBool(Disp, QStringLiteral("ChoimiOn"), d.withQuickView);
    return l;
}

void BoxWindowLayout::write(SettingsStore &store, bool twoMailers) const
{
    SettingsStore::Batch batch(store);
    store.writeInteger(Disp, QStringLiteral("DevideTop"), top);
    store.writeInteger(Disp, QStringLiteral("DevideLeft"), left);
    store.writeInteger(Disp, QStringLiteral("DevideSendA"), columnA);
    store.writeInteger(Disp, QStringLiteral("DevideSendB"), columnB);
    store.writeInteger(Disp, QStringLiteral("DevideSendC"), columnC);
    store.writeInteger(Disp, QStringLiteral("DevideWidth"), width);
    store.writeInteger(Disp, QStringLiteral("DevidePnl1"), sendHeight);
    store.writeInteger(Disp, QStringLiteral("DevideUp"), upperHeight);
    if (twoMailers) {
        store.writeInteger(Disp, QStringLiteral("DevidePnl4"), receive2Height);
        store.writeInteger(Disp, QStringLiteral("DevideLow"), lowerHeight);
        store.writeBool(Disp, QStringLiteral("ButtonTop"), buttonsBelow);
    }
    store.writeBool(Disp, QStringLiteral("DevideMin"), compact);
}

QuickViewLayout QuickViewLayout::read(SettingsStore &store)
{
    const QuickViewLayout d;
    QuickViewLayout l;
    l.top = store.readInteger(Disp, QStringLiteral("ChoimiTop"), d.top);
    l.left = store.readInteger(Disp, QStringLiteral("ChoimiLeft"), d.left);
    l.width = store.readInteger(Disp, QStringLiteral("ChoimiWidth"), d.width);
    l.height = store.readInteger(Disp, QStringLiteral("ChoimiHeight"), d.height);
    l.header = store.readBool(Config, QStringLiteral("ChoimiHead"), d.header);
    return l;
}

void QuickViewLayout::write(SettingsStore &store) const
{
    SettingsStore::Batch batch(store);
    store.writeInteger(Disp, QStringLiteral("ChoimiTop"), top);
    store.writeInteger(Disp, QStringLiteral("ChoimiLeft"), left);
    store.writeInteger(Disp, QStringLiteral("ChoimiWidth"), width);
    store.writeInteger(Disp, QStringLiteral("ChoimiHeight"), height);
    store.writeBool(Config, QStringLiteral("ChoimiHead"), header);
}

} // namespace vesk
