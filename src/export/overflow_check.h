#pragma once
#include <cstdint>

#include "export/export_state.h"
#include "kxh_base.h"

// Text boxes whose text does not fit: looked for when an export starts, and, with the
// preference AbortOnOverflow, whenever the host starts an output.

// Walkers. The callback returns false to stop the walk; the walker then returns false too.
typedef bool (*ItemVisitor)(ItemHandle item, void* context);
// Every top-level item of the spreads first..last of the layout, in the host's order.
bool forEachItemOnSpreads(int32_t layout, int32_t first, int32_t last, ItemVisitor visit,
                          void* context);
// The members of a group (and of groups inside it), or the item itself when it is no group.
bool forEachItemOfSelection(ItemHandle item, ItemVisitor visit, void* context);

// True when the box is a text box whose text is left over at the end of its last line.
bool boxOverflows(ItemHandle box);

// The first overflowing text box: on every spread of the layout (page mode), or in the
// layout's selection (area mode). Null when there is none.
ItemHandle findOverflow(int32_t layout, bool areaMode);

// Message 93. Sets *abortFlag to 1 when AbortOnOverflow is 1 and the layout being output has
// overflowing text. Kestrix's own runs check once when they start instead.
void OutputStartHook(KxhOutput output, uint8_t* abortFlag);
