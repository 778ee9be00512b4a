#pragma once
#include <cstdint>
#include <vector>

#include "export/export_types.h"
#include "export/item_walk.h"
#include "kxh_base.h"

// Text boxes whose text does not fit: looked for when an export starts, and, with the
// preference AbortOnOverflow, whenever the host starts an output.

// True when the box is a text box whose text is left over at the end of its last line.
bool boxOverflows(ItemHandle box);

// The first overflowing text box: on every spread of the layout (page mode), or in the
// layout's selection (area mode). Null when there is none.
ItemHandle findOverflow(int32_t layout, bool areaMode);

// The first overflowing text box that the area output of `box` holds: the box (or a member of
// it) and every item of its spread that touches it. Null when there is none.
ItemHandle findOverflowInArea(int32_t layout, ItemHandle box);

// Message 93, after the job slugs of the output were stamped (`stamped` holds those boxes).
// Sets *abortFlag to 1 when AbortOnOverflow is 1 and the layout being output has overflowing
// text. Kestrix's own runs checked when they started; at each of their outputs only the fresh
// stamps are checked, and one that does not fit is refused or asked about as at the start.
void OutputStartHook(KxhOutput output, uint8_t* abortFlag, const std::vector<ItemHandle>& stamped);
