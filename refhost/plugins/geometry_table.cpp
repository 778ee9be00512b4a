// Rectangles in 16.16 fixed point, and clip regions.
#include "plugins/handles.h"
#include "plugins/plugin_host.h"

#include <algorithm>
#include <new>
#include <set>

namespace refhost {

namespace {

std::set<KxhRegion>& liveRegions() {
    static std::set<KxhRegion> regions;
    return regions;
}

KxhFixed scaled(KxhFixed value, KxhFixed factor) {
    return static_cast<KxhFixed>(static_cast<int64_t>(value) * factor / 65536);
}

void KXH_CALL scaleRect(KxhRect* rect, KxhFixed sx, KxhFixed sy) {
    if (!rect) return;
    if (rect->top > rect->bottom) std::swap(rect->top, rect->bottom);
    if (rect->left > rect->right) std::swap(rect->left, rect->right);
    rect->top = scaled(rect->top, sy);
    rect->bottom = scaled(rect->bottom, sy);
    rect->left = scaled(rect->left, sx);
    rect->right = scaled(rect->right, sx);
}

void KXH_CALL insetRect(KxhRect* rect, KxhFixed dx, KxhFixed dy) {
    if (!rect) return;
    rect->top += dy;
    rect->bottom -= dy;
    rect->left += dx;
    rect->right -= dx;
}

int32_t KXH_CALL intersectRects(const KxhRect* a, const KxhRect* b, KxhRect* out) {
    KxhRect common = {0, 0, 0, 0};
    bool overlap = false;
    if (a && b) {
        common.top = std::max(a->top, b->top);
        common.left = std::max(a->left, b->left);
        common.bottom = std::min(a->bottom, b->bottom);
        common.right = std::min(a->right, b->right);
        overlap = common.top < common.bottom && common.left < common.right;
    }
    if (out) *out = overlap ? common : KxhRect{0, 0, 0, 0};
    return overlap ? 1 : 0;
}

KxhRegion KXH_CALL newRegion(const KxhRect* rect) {
    if (!rect) return nullptr;
    KxhRegion region = new (std::nothrow) KxhRegionRec{*rect};
    if (region) liveRegions().insert(region);
    return region;
}

void KXH_CALL releaseRegion(KxhRegion region) {
    if (!isLiveRegion(region)) return;
    liveRegions().erase(region);
    delete region;
}

} // namespace

bool isLiveRegion(KxhRegion region) {
    return region && liveRegions().count(region) != 0;
}

void fillGeometryTable(KxhGeometryTable& table) {
    table.scaleRect = scaleRect;
    table.insetRect = insetRect;
    table.intersectRects = intersectRects;
    table.newRegion = newRegion;
    table.releaseRegion = releaseRegion;
}

} // namespace refhost
