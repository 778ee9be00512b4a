#include "foundation/log.h"

#include <windows.h>

LocalClock localClockNow() {
    SYSTEMTIME now;
    GetLocalTime(&now);
    return {now.wHour, now.wMinute, now.wSecond, now.wMilliseconds};
}
