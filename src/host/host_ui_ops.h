#pragma once
#include <windows.h>

#include "export/export_types.h"

// Host operations of the export dialog that have no place in the platform-free export engine.

// Opens the host's output style editor for `style`, owned by `parent`; returns when it closes.
void hostOpenStyleEditor(StyleHandle style, HWND parent);
// Tell the host that a plug-in dialog (the system window `dialog`) is open, and closed again.
void hostAnnounceDialog(HWND dialog);
void hostDialogClosed(HWND dialog);
