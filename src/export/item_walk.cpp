#include "export/item_walk.h"

#include "export/export_host.h"

bool forEachItemOnSpreads(int32_t layout, int32_t first, int32_t last, ItemVisitor visit,
                          void* context) {
    for (int32_t spread = first; spread <= last; spread++)
        for (ItemHandle item = hostFirstItem(layout, spread); item; item = hostNextItem(item))
            if (!visit(item, context)) return false;
    return true;
}

bool forEachItemOfSelection(ItemHandle item, ItemVisitor visit, void* context) {
    if (hostItemKind(item) != KXH_ITEM_GROUP) return !item || visit(item, context);
    int32_t count = hostMemberCount(item);
    for (int32_t i = 0; i < count; i++)
        if (!forEachItemOfSelection(hostMemberAt(item, i), visit, context)) return false;
    return true;
}
