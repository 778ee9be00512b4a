#pragma once
#include <windows.h>

// Builds the XML dialog description `name` into the existing dialog `window`: resizes it to the
// description's client size, sets its title and creates the controls inside a root user pane.
// False (and nothing changed) when there is no such description.
bool buildDialog(HWND window, const char* name);
