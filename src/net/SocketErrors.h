#pragma once

#include <QtGlobal>

namespace vesk {

// The table code (see WinSockCodes.h) for a Linux errno value. Values without
// a counterpart are returned unchanged and read "エラーコード: n".
int winSockCodeFromErrno(int error);

// winSockCodeFromErrno(errno), for right after a failing call.
int lastSocketError();

// The table code for a getaddrinfo() failure (EAI_*): not found, try again,
// no recovery, no data.
int winSockCodeFromAddrInfo(int eaiError);

} // namespace vesk
