#include "app/host_events.h"

#include <cstring>

namespace refhost {

namespace {

int32_t KXH_CALL eventKind(KxhEvent event) {
    return event ? event->kind : -1;
}
int32_t KXH_CALL eventChar(KxhEvent event) {
    return event ? event->character : 0;
}

int32_t KXH_CALL modifierDown(KxhEvent event, int32_t modifier) {
    if (!event) return 0;
    switch (modifier) {
    case KXH_MOD_CTRL:
        return event->ctrl;
    case KXH_MOD_SHIFT:
        // Either Shift key counts as Shift.
        return event->shift || event->rightShift;
    case KXH_MOD_RIGHT_SHIFT:
        return event->rightShift;
    case KXH_MOD_ALT:
        return event->alt;
    default:
        return 0;
    }
}

} // namespace

bool applyModifierName(KxhEventRec& event, const char* name) {
    if (!strcmp(name, "ctrl"))
        event.ctrl = true;
    else if (!strcmp(name, "shift"))
        event.shift = true;
    else if (!strcmp(name, "rshift"))
        event.rightShift = true;
    else if (!strcmp(name, "alt"))
        event.alt = true;
    else
        return false;
    return true;
}

void fillEventTable(KxhEventTable& table) {
    table.eventKind = eventKind;
    table.eventChar = eventChar;
    table.modifierDown = modifierDown;
}

} // namespace refhost
