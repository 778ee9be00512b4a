#pragma once
#include <windows.h>

#include <cstdint>

// Modal dialogs with one dialog procedure for all of them. Owners take part through an init
// procedure, command procedures on single controls, a timer procedure and list item painters.

typedef bool (*DialogInitProc)(HWND dialog, void* ownerData);
// True when handled; false lets the default action run (ids 1 and 2 end the dialog).
typedef bool (*CommandProc)(HWND control, HWND dialog, void* ownerData);
typedef void (*DialogTimerProc)(HWND dialog, void* ownerData);
typedef void (*ItemPainter)(HDC dc, HWND listBox, int index, const RECT* rect, void* ownerData);

// Handed to the dialog procedure; must outlive the dialog.
struct DialogStart {
    const char* descriptionName; // null for a template dialog
    DialogInitProc initProc;
    void* ownerData;
};

// The template `templateName` of our resources, texts localised, owned by the active window.
intptr_t runDialog(const char* templateName, DialogInitProc initProc, void* ownerData);
// The empty template "MyDialog" filled from the XML description `name`.
intptr_t runDescribedDialog(const char* name, DialogInitProc initProc, void* ownerData);

// The dialog procedure itself, for callers that run a template of their own.
INT_PTR CALLBACK toolkitDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// The control found by findControl(dialog, key) with its procedure set; null when none.
HWND setCommandProc(HWND dialog, intptr_t key, CommandProc proc, void* ownerData);
// Timer number 1 of the dialog, every trunc(seconds * 1000) ms; replaces an earlier one.
void setDialogTimer(HWND dialog, DialogTimerProc proc, double seconds);
// false once the dialog is ending (endDialog): work driven by its timer stops.
bool dialogTimerRunning(HWND dialog);
void endDialog(HWND dialog, intptr_t code);
void setItemPainter(HWND listBox, ItemPainter painter, void* ownerData);

// Replaces the title and the texts of buttons, edits, statics and pop-up items of `dialog`
// by their localised forms.
void localizeDialog(HWND dialog);
