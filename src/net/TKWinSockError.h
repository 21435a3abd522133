#pragma once

#include "net/TKError.h"

namespace vesk {

// An error whose text comes from the fixed socket error table: the symbolic
// name, a blank, then the Japanese description ("WSAECONNREFUSED 接続が拒否されました").
// Codes outside the table read "エラーコード: " and the number.
class TKWinSockError : public TKError
{
public:
    explicit TKWinSockError(int code);

    static QString messageFor(int code);
};

} // namespace vesk
