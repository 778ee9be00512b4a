#include <windows.h>

#include <climits>

#include "foundation/platform/os.h"

int32_t osCompareNamesIgnoringCase(const WideChar* a, size_t aLength, const WideChar* b,
                                   size_t bLength) {
    if (aLength <= INT_MAX && bLength <= INT_MAX) {
        int result =
            CompareStringOrdinal(a, static_cast<int>(aLength), b, static_cast<int>(bLength), TRUE);
        if (result == CSTR_LESS_THAN) return -1;
        if (result == CSTR_EQUAL) return 0;
        if (result == CSTR_GREATER_THAN) return 1;
    }
    // Names this long are no file names; telling them apart by value refuses nothing wrongly.
    WideText left(a, aLength), right(b, bLength);
    return left < right ? -1 : left == right ? 0 : 1;
}
