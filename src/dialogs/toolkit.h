#pragma once
#include <windows.h>

#include <cstdint>

#include "dialogs/tags.h"

// The toolkit's process-wide state: the scale from description units to pixels, its font,
// its window classes, and the host window that modal dialogs disable.

// Start-up, once, before any dialog is shown: scale factor, font, window classes.
void initDialogs();

// Scale for a screen `pixelsAcross` wide and `millimetresAcross` wide: dots per inch / 110,
// never below 1.0. A screen that reports no width counts as 96 dots per inch.
float scaleForScreen(int pixelsAcross, int millimetresAcross);
// Pixels for `units` description units at `scale`: trunc(units * scale + 0.5).
int scaleUnitsAt(int units, float scale);

float scaleFactor();
int scaleUnits(int units);
HFONT toolkitFont();
int toolkitFontHeight(float scale); // trunc(14 * scale)

// The module whose resources and window classes the toolkit uses.
HINSTANCE toolkitInstance();

// The host's main window, disabled while our dialogs run; null when the host gave none.
void setHostMainWindow(HWND window);
HWND hostMainWindow();

// Coordinates in description units, shifted by the open group box of a running build.
HWND createControl(DWORD exStyle, const char* className, const char* text, DWORD style, int x,
                   int y, int w, int h, HWND parent, int id, void* createParam);

// `root` itself, then its descendants depth-first, whose id or command tag equals `key`.
HWND findControl(HWND root, intptr_t key);
// The first window from `window` upwards that is not a child window.
HWND topDialog(HWND window);

// Group origin of the running build, in description units (0, 0 outside a group box).
void setGroupOrigin(int x, int y);
