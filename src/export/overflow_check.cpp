#include "export/overflow_check.h"

#include "export/export_host.h"
#include "export/export_ui.h"
#include "export/run_context.h"
#include "foundation/settings.h"

bool boxOverflows(ItemHandle box) {
    if (hostItemKind(box) != KXH_ITEM_TEXT) return false;
    int32_t status = 0;
    return hostLastLineStatus(box, &status) && status == KXH_LINE_OVERFLOW;
}

static bool stopAtOverflow(ItemHandle item, void* found) {
    if (!boxOverflows(item)) return true;
    *static_cast<ItemHandle*>(found) = item;
    return false;
}

// Text inside a group is lost just the same when it does not fit.
static bool testItemAndMembers(ItemHandle item, void* found) {
    return forEachItemOfSelection(item, stopAtOverflow, found);
}

ItemHandle findOverflow(int32_t layout, bool areaMode) {
    ItemHandle found = nullptr;
    if (areaMode)
        forEachItemOfSelection(hostCurrentItem(layout), stopAtOverflow, &found);
    else
        forEachItemOnSpreads(layout, 1, hostSpreadCount(layout), testItemAndMembers, &found);
    return found;
}

namespace {

struct AreaSearch {
    FixedRect box;
    ItemHandle found;
};

bool testIfTouching(ItemHandle item, void* context) {
    auto& search = *static_cast<AreaSearch*>(context);
    FixedRect bounds;
    if (!hostItemBounds(item, &bounds) || !hostRectsIntersect(bounds, search.box)) return true;
    return testItemAndMembers(item, &search.found);
}

// True when the item is drawn in the output that the run is writing: an area's output holds
// only what touches its box.
bool inRunOutput(const RunContext& state, ItemHandle item) {
    if (state.areaMode != 1) return true;
    FixedRect bounds, box;
    return hostItemBounds(item, &bounds) && hostItemBounds(state.currentBox, &box) &&
           hostRectsIntersect(bounds, box);
}

// One of our own outputs: everything but the fresh job slug stamps was checked at the start.
void checkRunOutput(RunContext& state, uint8_t* abortFlag, const std::vector<ItemHandle>& stamped) {
    ItemHandle box = nullptr;
    for (ItemHandle item : stamped)
        if (boxOverflows(item) && inRunOutput(state, item)) {
            box = item;
            break;
        }
    if (!box) return;
    if (getAbortOnOverflow() == 1) {
        exportUi().showMessage("overflowErr2", nullptr);
    } else {
        if (state.slugOverflowAccepted) return;
        if (exportUi().askYesNo("overflowErr", nullptr) == Answer::Yes) {
            state.slugOverflowAccepted = 1;
            return;
        }
    }
    // The user knows why: the run ends without reporting the page as failed.
    state.stoppedForOverflow = 1;
    *abortFlag = 1;
}

} // namespace

ItemHandle findOverflowInArea(int32_t layout, ItemHandle box) {
    AreaSearch search{{}, nullptr};
    if (!forEachItemOfSelection(box, stopAtOverflow, &search.found)) return search.found;
    int32_t spread = hostSpreadOfPage(layout, hostItemPage(box));
    if (spread < 1 || !hostItemBounds(box, &search.box)) return nullptr;
    forEachItemOnSpreads(layout, spread, spread, testIfTouching, &search);
    return search.found;
}

void OutputStartHook(KxhOutput output, uint8_t* abortFlag, const std::vector<ItemHandle>& stamped) {
    // A run of ours asked once at its start: only its fresh job slug stamps are checked.
    if (RunContext* run = activeRun()) {
        checkRunOutput(*run, abortFlag, stamped);
        return;
    }
    if (getAbortOnOverflow() != 1) return;
    int32_t layout = hostOutputLayout(output);
    if (layout < 0) layout = hostCurrentLayout();
    if (layout < 0 || !findOverflow(layout, false)) return;
    exportUi().showMessage("overflowErr2", nullptr);
    *abortFlag = 1;
}
