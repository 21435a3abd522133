#include "store/rules/Redistributor.h"

#include "store/rules/BoxTransfer.h"
#include "store/rules/Distributor.h"

namespace vesk {

Redistributor::Redistributor(const MessageStore &store, Distributor &distributor)
    : m_store(store)
    , m_distributor(distributor)
{ }

Redistributor::Report Redistributor::mnuReDevClick()
{
    Report report;
    returnAll(Box::InBox1, report);
    returnAll(Box::InBox2, report);
    for (const QString &fileName : m_store.listing(Box::InBox)) {
        m_distributor.DevideGo(fileName);
        if (m_distributor.lastFileName() != fileName)
            report.renamed.append({ fileName, m_distributor.lastFileName() });
    }
    return report;
}

void Redistributor::returnAll(Box box, Report &report)
{
    const BoxTransfer transfer(m_store);
    for (const QString &fileName : m_store.listing(box)) {
        const BoxTransfer::Result moved = transfer.move(box, Box::InBox, fileName);
        if (!moved.moved)
            report.notReturned << fileName;
        else if (moved.fileName != fileName)
            report.renamed.append({ fileName, moved.fileName });
    }
}

} // namespace vesk
