#pragma once
#include <cstdint>

#include "export/export_types.h"

// Walks over the items of a layout through the host's tables. The callback returns false to
// stop the walk; the walker then returns false too.
typedef bool (*ItemVisitor)(ItemHandle item, void* context);

// Every top-level item of the spreads first..last of the layout, in the host's order.
bool forEachItemOnSpreads(int32_t layout, int32_t first, int32_t last, ItemVisitor visit,
                          void* context);
// The members of a group (and of groups inside it), or the item itself when it is no group.
bool forEachItemOfSelection(ItemHandle item, ItemVisitor visit, void* context);
