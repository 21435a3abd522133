#pragma once

#include <QString>

namespace vesk {

// A socket error handed to an error handler: a code and its message text. It
// is passed by reference and never thrown; handlers must not keep it.
class TKError
{
public:
    TKError(int code, QString message)
        : m_code(code)
        , m_message(std::move(message))
    { }
    virtual ~TKError() = default;

    int code() const { return m_code; }
    const QString &message() const { return m_message; }

private:
    int m_code;
    QString m_message;
};

} // namespace vesk
