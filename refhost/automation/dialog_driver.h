#pragma once
// Drives the dialogs of the user-interface thread from the script thread, the way a user
// would: by control id, through messages to the controls. Every operation returns an empty
// text on success and the reason otherwise.
#include <windows.h>

#include <string>

struct DialogScope {
    DWORD uiThread = 0;
    HWND mainWindow = nullptr;
};

// The modal dialog the user would be looking at: the topmost visible, enabled top-level
// window of the user-interface thread other than the main window; null when none is up.
HWND findTopDialog(const DialogScope& scope);
HWND findDialogByTitle(const DialogScope& scope, const std::wstring& title);
// A control anywhere inside the dialog (child templates and panes included), by id.
HWND findControl(HWND dialog, int id);
// The static text of a message box (the plug-in's own or the system's), or null.
HWND findMessageText(HWND dialog);
// The control of the plug-in's own message box that shows its text. The host knows the plug-in
// only through its interface; this is the one id of the plug-in's dialogs that it relies on.
constexpr int kPluginMessageTextId = 10;

std::wstring windowText(HWND window);
std::wstring windowClass(HWND window);

std::string setControlText(HWND control, const std::wstring& text);
// Replaces the whole text of an edit field by typing `text` key by key, so that the field's
// own limits apply as they do to a user.
std::string typeIntoControl(HWND control, const std::wstring& text);
// A push button is pressed; a check box or radio button changes its state as a click would.
std::string clickControl(HWND control);
std::string checkControl(HWND control, bool on);
// Selects the entry of a combo box, list box or radio group whose text equals `text`.
std::string chooseItem(HWND control, const std::wstring& text);
std::string readCheck(HWND control, bool& on);
// Posts the command of a button id to a dialog (the dialog need not contain that button).
void postDialogCommand(HWND dialog, int id);
// The Save As dialog's file name field (the edit field, or its combo box).
HWND findFileNameField(HWND dialog);
// Types a name into the Save As dialog's field. A name that makes a path longer than the
// dialog takes (MAX_PATH - 1 characters, the dialog's folder put in front of a relative name)
// is refused: Windows' dialog takes no more, and Wine's crashes on a longer path.
std::string setFileName(HWND dialog, HWND field, const std::wstring& name);
