#pragma once
// Shared set-up for the toolkit's Windows tests: our own resources, the toolkit started, a
// top-level window standing in for the host's main window, and a way to act inside a modal
// dialog from the same thread.
#include <windows.h>

#include <functional>
#include <string>

// English (0) or German (3), with the matching string table loaded.
void useLanguage(int hostLanguage);

// The stand-in for the host's main window (created once, shown, enabled).
HWND testHostWindow();

// Runs `modal` (which opens a modal dialog); once the newest enabled dialog of this thread is up,
// calls `script` with it. A dialog still open after `timeoutMs` is ended with kTimedOut.
constexpr INT_PTR kTimedOut = -77;
INT_PTR whileModal(const std::function<INT_PTR()>& modal,
                   const std::function<void(HWND dialog)>& script, UINT timeoutMs = 20000);

// The newest visible, enabled dialog window of this thread, or null.
HWND activeTestDialog();

// Dispatches this thread's messages for `ms` milliseconds.
void pumpMessages(UINT ms);

std::string windowText(HWND window);
std::string className(HWND window);
// The window's rectangle in its parent's client coordinates.
RECT rectInParent(HWND window);
std::string describeRect(const RECT& r);

// Shows the key state of Shift to GetAsyncKeyState through real input.
void pressShift(bool down);
