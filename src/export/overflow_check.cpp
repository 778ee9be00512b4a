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

void OutputStartHook(KxhOutput output, uint8_t* abortFlag) {
    // A run of ours asked once at its start; asking again would repeat the message per page.
    if (activeRun()) return;
    if (getAbortOnOverflow() != 1) return;
    int32_t layout = hostOutputLayout(output);
    if (layout < 0) layout = hostCurrentLayout();
    if (layout < 0 || !findOverflow(layout, false)) return;
    exportUi().showMessage("overflowErr2", nullptr);
    *abortFlag = 1;
}
