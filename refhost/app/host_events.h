#pragma once
// Key events as plug-ins see them (KxhEvent) and the event table.
#include "kxh_api.h"

struct KxhEventRec {
    int32_t kind = 0;      // KXH_EVENT_KEY_DOWN for a key press
    int32_t character = 0; // letters upper-case
    bool ctrl = false, shift = false, rightShift = false, alt = false;
};

namespace refhost {

// Parses the modifier names of the `key` script command (ctrl, shift, rshift, alt).
bool applyModifierName(KxhEventRec& event, const char* name);
void fillEventTable(KxhEventTable& table);

} // namespace refhost
