#pragma once
#include <windows.h>

// The toolkit's own window classes and the replacement procedure of standard controls.

constexpr UINT kMsgTabTyped = WM_APP + 1; // wParam: the control in which Tab was typed
constexpr UINT kMsgRadioGetSelection = WM_USER;
constexpr UINT kMsgRadioSetSelection = WM_USER + 1;

// "Separator", "UserPane" and "RadioGroup".
void registerToolkitClasses(HINSTANCE instance);

// Hands Tab, Enter, Escape and commands of `control` to its dialog; the old procedure is kept
// in the control's "wprc" property.
void installReplacementProc(HWND control);
