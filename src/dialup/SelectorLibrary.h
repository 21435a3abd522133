#pragma once

#include "dialup/AccessPointSelector.h"

#include <QLibrary>

namespace vesk {

// The access-point selector as a shared library ("SelAp.so" in the data
// folder) exporting
//
//     extern "C" int SelApOn(char *title, int titleSize, char *ap, int apSize,
//         char *host, int hostSize, char *smtp, int smtpSize, char *userId,
//         int userIdSize, char *password, int passwordSize, char *apop, int apopSize);
//
// Each buffer holds up to its size (255) bytes of UTF-8 and a terminating
// zero; apop is "1" for on. Nonzero: use the buffers; zero: do not dial.
// The library runs inside this program, so only a file of the user's own
// that nobody else can change is loaded.
class SelectorLibrary final : public AccessPointSelector
{
public:
    static constexpr int BufferSize = 255;

    explicit SelectorLibrary(QString path);

    bool open(QString *why) override;
    bool isOpen() const override { return m_selApOn != nullptr; }
    std::optional<AccessPointChoice> choose() override;

private:
    using SelApOn = int (*)(char *, int, char *, int, char *, int, char *, int, char *, int, char *, int,
        char *, int);

    QString m_path;
    QLibrary m_library;
    SelApOn m_selApOn = nullptr;
};

} // namespace vesk
