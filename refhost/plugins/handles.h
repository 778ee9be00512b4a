// What the opaque handles of the interface stand for in this host, and their validation.
#pragma once
#include "kxh_api.h"
#include "model/document.h"
#include "model/output_style.h"

#include <cstdint>
#include <string>
#include <vector>

struct KxhBlockRec {
    std::vector<uint8_t> bytes;
};
struct KxhTextRec {
    std::u16string units;
};
struct KxhRegionRec {
    KxhRect rect;
};
struct KxhContainerRec {
    refhost::DataDict root;
};

namespace refhost {

// An item handle is the Item itself; a style handle the OutputStyle. Both are checked against
// what is open, so a stale handle answers "none" instead of touching freed memory.
struct ItemPlace {
    Document* document = nullptr;
    Layout* layout = nullptr;
    Item* item = nullptr;
};
ItemPlace findItemHandle(KxhItem handle);
inline KxhItem itemHandle(Item* item) {
    return reinterpret_cast<KxhItem>(item);
}
OutputStyle* findStyleHandle(KxhStyle handle);
inline KxhStyle styleHandle(OutputStyle* style) {
    return reinterpret_cast<KxhStyle>(style);
}

// Byte blocks handed out by the memory table (and by data and line-record queries).
KxhBlock newBlockFrom(const void* bytes, size_t size);
bool isLiveBlock(KxhBlock block);
void forgetBlock(KxhBlock block); // the block is being freed
// Regions handed out by the geometry table.
bool isLiveRegion(KxhRegion region);

// Fixed (16.16) and points.
// Coordinates beyond what a Fixed holds (a long spread of wide pages, an item placed far off
// in a project file) saturate instead of wrapping around.
inline KxhFixed toFixed(double points) {
    const double v = points * 65536.0;
    if (!(v == v)) return 0;
    if (v >= 2147483647.0) return INT32_MAX;
    if (v <= -2147483648.0) return INT32_MIN;
    return static_cast<KxhFixed>(v < 0 ? v - 0.5 : v + 0.5);
}
inline double fromFixed(KxhFixed value) {
    return value / 65536.0;
}
KxhRect toFixedRect(const Rect& r);
Rect fromFixedRect(const KxhRect& r);

// Copies UTF-8 into a caller buffer: KXH_OK, KXH_TRUNCATED (cut at a character boundary,
// terminated) or KXH_ERR_PARAM.
int32_t copyOut(const std::string& text, char* buf, uint32_t bufSize);

} // namespace refhost
