#pragma once

#include "net/HostResolver.h"

class QHostInfo;

namespace vesk {

// Lookups through QHostInfo (the system resolver on Qt's worker threads).
class QtHostResolver final : public HostResolver
{
public:
    int start(const QString &name, QObject *context, Callback callback) override;
    void abort(int id) override;
    static QtHostResolver &instance();

    // The table code for a finished lookup (0 when it found addresses).
    static int errorCode(const QHostInfo &info);
};

} // namespace vesk
