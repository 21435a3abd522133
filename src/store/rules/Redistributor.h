#pragma once

#include "store/MessageStore.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace vesk {

class Distributor;

// Re-distributes the whole receive side (the box window's re-distribution
// command): every message of "InBox1/" and "InBox2/" goes back to "InBox/",
// then each message of "InBox/" is distributed by the current rules, whatever
// the two-mailer setting says. Refilling the box lists is the caller's.
class Redistributor final
{
public:
    Redistributor(const MessageStore &store, Distributor &distributor);

    struct Renamed
    {
        QString from;
        QString to;
    };
    struct Report
    {
        // Messages that could not be moved back and stay in their mailer's box.
        QStringList notReturned;
        // Messages that took a new name because the name was already taken.
        QList<Renamed> renamed;
    };

    Report mnuReDevClick();

private:
    void returnAll(Box box, Report &report);

    const MessageStore &m_store;
    Distributor &m_distributor;
};

} // namespace vesk
