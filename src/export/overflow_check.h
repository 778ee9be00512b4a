#pragma once
#include <cstdint>

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

// Message 93. Sets *abortFlag to 1 when AbortOnOverflow is 1 and the layout being output has
// overflowing text. Kestrix's own runs check once when they start instead.
void OutputStartHook(KxhOutput output, uint8_t* abortFlag);
