#pragma once
#include <cstdint>

#include "kxh_api.h"

// Fills every host table in the fixed order. 0, or the first non-zero answer of the host (the
// remaining tables are then not requested).
int32_t obtainHostTables(const KxhEntryBlock& entry);

// Asks for the four optional services; a missing one leaves its table empty.
void obtainServices(const KxhEntryBlock& entry);
