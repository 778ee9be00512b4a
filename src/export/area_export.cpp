#include "export/area_export.h"

#include <algorithm>
#include <cstdio>
#include <vector>

#include "export/export_host.h"
#include "export/item_walk.h"
#include "export/style_settings.h"

static float points(Fixed value) {
    return static_cast<float>(value) * 1.5258789e-5f;
}

void areaBoxTexts(const FixedRect& page, const FixedRect& box, Fixed bleed, char* trimBox,
                  char* bleedBox, size_t size) {
    float x1 = points(box.left - page.left);
    float y1 = points(page.bottom - box.bottom);
    float x2 = x1 + points(box.right - box.left);
    float y2 = y1 + points(box.bottom - box.top);
    float b = points(bleed);
    if (b != 0) {
        // The media carries the bleed on every side, so the trim moves in by it.
        snprintf(trimBox, size, "%.3f %.3f %.3f %.3f", x1 + b, y1 + b, x2 + b, y2 + b);
        snprintf(bleedBox, size, "%.3f %.3f %.3f %.3f", x1, y1, x2 + 2 * b, y2 + 2 * b);
    } else {
        snprintf(bleedBox, size, "%.3f %.3f %.3f %.3f", x1, y1, x2, y2);
        snprintf(trimBox, size, "%s", bleedBox);
    }
}

namespace {

struct HideOutside {
    FixedRect box;
    std::vector<ItemHandle> hidden;
};

// Only items the user has not suppressed are switched, so that showing them again afterwards
// leaves the user's own settings as they were.
bool hideIfOutside(ItemHandle item, void* context) {
    auto& hide = *static_cast<HideOutside*>(context);
    FixedRect bounds;
    if (!hostItemBounds(item, &bounds) || hostRectsIntersect(bounds, hide.box)) return true;
    if (hostSuppressOutput(item) != 0) return true;
    if (hostSetSuppressOutput(item, true)) hide.hidden.push_back(item);
    return true;
}

} // namespace

AreaPage areaPage(int32_t layout, int32_t page, bool spreads) {
    AreaPage unit{page, hostPageRectInSpread(layout, page)};
    if (!spreads) return unit;
    int32_t first = 0;
    int32_t count = hostSpreadPages(layout, page, &first, 1);
    if (count <= 1) return unit;
    std::vector<int32_t> pages(static_cast<size_t>(count));
    count = std::min(count, hostSpreadPages(layout, page, pages.data(), count));
    if (count <= 1) return unit;
    // The spread's pages lie side by side, from its first page's left edge to its last's right.
    unit.firstPage = pages.front();
    unit.rect = hostPageRectInSpread(layout, pages.front());
    unit.rect.right = hostPageRectInSpread(layout, pages[static_cast<size_t>(count) - 1]).right;
    return unit;
}

bool cropToPage(const FixedRect& box, const FixedRect& page, FixedRect* area) {
    area->top = std::max(box.top, page.top);
    area->left = std::max(box.left, page.left);
    area->bottom = std::min(box.bottom, page.bottom);
    area->right = std::min(box.right, page.right);
    return area->bottom > area->top && area->right > area->left;
}

int32_t exportArea(RunContext& state) {
    int32_t page = hostItemPage(state.currentBox);
    FixedRect boxRect;
    if (page < 1 || !hostItemBounds(state.currentBox, &boxRect)) return KXH_OUTPUT_NO_PAGES;
    hostNormaliseRect(&boxRect);

    state.styleHandle = findStyle(state.styleName);
    state.styleType = hostStyleType(state.styleHandle);
    // The output page is the page or the spread, as the chosen style exports them.
    AreaPage unit = areaPage(state.layoutId, page, state.spreads == 1);
    FixedRect area;
    if (!cropToPage(boxRect, unit.rect, &area)) return kAreaEmpty;

    Fixed bleed = readBleed(state.styleHandle);
    areaBoxTexts(unit.rect, area, bleed, state.trimBoxText, state.bleedBoxText,
                 sizeof state.trimBoxText);

    // Only the box's spread is output; items elsewhere need no change.
    HideOutside hide{boxRect, {}};
    int32_t spread = hostSpreadOfPage(state.layoutId, page);
    forEachItemOnSpreads(state.layoutId, spread, spread, hideIfOutside, &hide);

    state.currentPage = static_cast<int16_t>(unit.firstPage);
    state.outputRect = area;
    int32_t result = runHostExport(state);

    for (ItemHandle item : hide.hidden)
        hostSetSuppressOutput(item, false);
    return result;
}

void areaOutputSetup(RunContext& state, KxhOutput output) {
    // outputRect holds the area that exportArea cropped to the output page.
    state.bleedRect = state.outputRect;
    hostInsetRect(&state.bleedRect, -state.bleed, -state.bleed);
    if (state.styleType == kStyleTypeEps) hostClipOutput(output, state.bleedRect);
}
