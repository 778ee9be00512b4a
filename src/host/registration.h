#pragma once
#include <cstdint>

#include "kxh_api.h"

// One registration: message, handler, order value.
struct HandlerRegistration {
    uint32_t message;
    KxhHandler handler;
    uint32_t order;
};

// The plug-in's handlers in the order they are registered; the pane handler's message is the
// second private identifier. Returns the number of entries written (at most max).
int32_t pluginHandlers(HandlerRegistration* list, int32_t max);

// Registers every handler with the host (kind 5), all of them even when the host refuses one.
// 0, or the host's first non-zero answer.
int32_t registerHandlers(const KxhEntryBlock& entry);
