#pragma once
#include <windows.h>

#include <cstddef>
#include <cstdint>

#include "dialogs/tags.h"

// Data hung on windows as window properties: "QNDV"+tag holds a number or pointer we do not
// own, "QNDS"+tag a heap copy of a UTF-8 text that we own. Unset properties read as 0 / "".

void setProp(HWND window, DialogTag tag, intptr_t value);
intptr_t getProp(HWND window, DialogTag tag);

// Replaces (and frees) the previous copy; a null text removes the property.
void setStringProp(HWND window, DialogTag tag, const char* text);
// At most size - 1 bytes and a NUL; an empty text when none is stored.
void getStringProp(HWND window, DialogTag tag, char* buffer, size_t size);
// Removes and frees every string property of `window` and all its descendants.
void freeStringProps(HWND window);

inline void setCommandTag(HWND control, DialogTag tag) {
    setProp(control, kTagCommand, tag);
}
inline void setOwnerData(HWND control, void* data) {
    setProp(control, kTagOwnerData, reinterpret_cast<intptr_t>(data));
}
