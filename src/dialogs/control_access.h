#pragma once
#include <windows.h>

#include <cstddef>
#include <cstdint>

#include "dialogs/tags.h"

// Uniform reading and writing of controls, by the type derived from class and style.

DialogTag controlType(HWND window); // 0 for classes the toolkit does not know
int controlId(HWND window);

// True while the toolkit itself sets a window text; commands are dropped meanwhile.
bool commandsSuppressed();

// Texts are UTF-8. Texts shorter than 250 bytes are looked up in the string table when set.
void getControlText(HWND control, char* buffer, size_t size);
void getControlTextById(HWND dialog, intptr_t id, char* buffer); // buffer of 255 bytes
void setControlText(HWND control, const char* text);
void setControlTextById(HWND dialog, intptr_t id, const char* text);
void setControlTextF(HWND control, const char* format, ...) __attribute__((format(printf, 2, 3)));

int32_t getControlValue(HWND control);
int32_t getControlValueById(HWND dialog, intptr_t id);
void setControlValue(HWND control, int32_t value);
void setControlValueById(HWND dialog, intptr_t id, int32_t value);

// Lists of combo boxes and pop-ups; item texts are taken as they are (no lookup).
int16_t addListItem(HWND combo, const char* text);
int32_t itemCount(HWND combo);
// Pop-ups only: item `index` (1-based; 0 = the selected one), at most 255 bytes and a NUL.
void getItemText(HWND popup, int32_t index, char* buffer);

void focusControl(HWND control); // focus and select the whole text
void focusControlById(HWND dialog, intptr_t id);
void focusAndSelect(HWND control, int from, int to);
void enableControl(HWND control, int on);

// Shows the child of the tab control that belongs to the selected tab; returns that tab.
int showSelectedTabPage(HWND tabControl);

// Sets a window text without the string-table lookup, with commands suppressed.
void setWindowTextQuietly(HWND window, const wchar_t* text);
