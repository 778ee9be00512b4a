#pragma once
#include <cstddef>
#include <cstdint>

#include "foundation/version.h" // kPluginId, the owner of Kestrix's data
#include "kxh_base.h"

// The types and sizes every part of the export engine shares.

typedef KxhFixed Fixed; // 16.16, points x 65536

enum : uint32_t {
    kStyleTypeEps = KXH_TYPE_EPS,
    kStyleTypePdf = KXH_TYPE_PDF,
    kStyleTypeNone = KXH_TYPE_NONE,
};

// Texts hold UTF-8. Paths get room for a 510-unit UTF-16 dialog path in UTF-8; every write into
// them is checked, so a name that does not fit is refused instead of cut.
constexpr size_t kStyleNameSize = 256; // the preference keeps 255 bytes of a style name
constexpr size_t kNameSize = 256;
constexpr size_t kPathSize = 2048;
constexpr size_t kShortTextSize = 32;
constexpr size_t kBoxTextSize = 64;

// The largest layout a run handles; the progress dialog counts items in 16 bits.
constexpr int32_t kMaxPageCount = 32767;

// The file-naming record an output style keeps for Kestrix.
struct FWiz {
    int32_t base;                   // 0 project name, 1 layout name
    int32_t numbers;                // 0 "%d", 1 "%02d", 2 "%03d", 3 "%04d", 4 no number
    char separator[kShortTextSize]; // between name and number
    char suffix[kShortTextSize];    // after both, usually the extension; "---": one file
    uint8_t pageMargins;            // 1: a frame is drawn around each page
    uint8_t numberBeforeName;       // 1: number, separator, name; 0: name, separator, number
    uint8_t namingTooLong; // a stored separator or suffix did not fit: the naming is unusable
};

typedef KxhRect FixedRect; // top, left, bottom, right

typedef KxhStyle StyleHandle; // the host's output style object
typedef KxhItem ItemHandle;   // a box or group of a layout
