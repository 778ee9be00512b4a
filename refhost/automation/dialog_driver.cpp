#include "automation/dialog_driver.h"

#include <commdlg.h>

#include <vector>

namespace {

const UINT kSendTimeout = 10000;

LRESULT sendTimed(HWND window, UINT msg, WPARAM wp, LPARAM lp, bool& ok) {
    DWORD_PTR result = 0;
    ok = SendMessageTimeoutW(window, msg, wp, lp, SMTO_NORMAL, kSendTimeout, &result) != 0;
    return LRESULT(result);
}

struct ThreadWindows {
    const DialogScope* scope;
    std::vector<HWND> windows;
};

BOOL CALLBACK collectWindow(HWND window, LPARAM data) {
    auto* list = reinterpret_cast<ThreadWindows*>(data);
    if (window != list->scope->mainWindow && IsWindowVisible(window))
        list->windows.push_back(window);
    return TRUE;
}

// Visible top-level windows of the user-interface thread, topmost first.
std::vector<HWND> visibleWindows(const DialogScope& scope) {
    ThreadWindows list{&scope, {}};
    EnumThreadWindows(scope.uiThread, collectWindow, LPARAM(&list));
    return list.windows;
}

struct ControlSearch {
    int id;
    HWND found;
};

BOOL CALLBACK matchControl(HWND window, LPARAM data) {
    auto* search = reinterpret_cast<ControlSearch*>(data);
    if (GetDlgCtrlID(window) == search->id) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

std::wstring lower(std::wstring s) {
    for (auto& c : s)
        c = wchar_t(towlower(c));
    return s;
}

void notifyParent(HWND control, WORD code) {
    HWND parent = GetParent(control);
    PostMessageW(parent, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(control), code), LPARAM(control));
}

LONG buttonKind(HWND control) {
    return GetWindowLongW(control, GWL_STYLE) & BS_TYPEMASK;
}

bool isToggle(HWND control) {
    if (lower(windowClass(control)) != L"button") return false;
    LONG kind = buttonKind(control);
    return kind == BS_CHECKBOX || kind == BS_AUTOCHECKBOX || kind == BS_3STATE ||
           kind == BS_AUTO3STATE || kind == BS_RADIOBUTTON || kind == BS_AUTORADIOBUTTON;
}

std::wstring listText(HWND control, UINT lenMsg, UINT textMsg, int index) {
    bool ok = false;
    LRESULT len = sendTimed(control, lenMsg, WPARAM(index), 0, ok);
    if (!ok || len < 0) return {};
    std::wstring text(size_t(len) + 1, L'\0');
    sendTimed(control, textMsg, WPARAM(index), LPARAM(&text[0]), ok);
    text.resize(wcslen(text.c_str()));
    return text;
}

} // namespace

HWND findTopDialog(const DialogScope& scope) {
    for (HWND window : visibleWindows(scope))
        if (IsWindowEnabled(window)) return window;
    return nullptr;
}

HWND findDialogByTitle(const DialogScope& scope, const std::wstring& title) {
    for (HWND window : visibleWindows(scope))
        if (windowText(window) == title) return window;
    return nullptr;
}

HWND findControl(HWND dialog, int id) {
    ControlSearch search{id, nullptr};
    EnumChildWindows(dialog, matchControl, LPARAM(&search));
    return search.found;
}

HWND findMessageText(HWND dialog) {
    HWND text = findControl(dialog, kPluginMessageTextId);
    if (text && lower(windowClass(text)) == L"static") return text;
    // The system's box: a standard dialog of static texts and buttons only; its text is the
    // longest static (the icon is a static too), whose id differs between systems.
    if (windowClass(dialog) != L"#32770") return nullptr;
    HWND best = nullptr;
    size_t bestLength = 0;
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        std::wstring cls = lower(windowClass(child));
        if (cls != L"static" && cls != L"button")
            return nullptr; // fields or lists: a dialog, not a message box
        if (cls != L"static" || (GetWindowLongW(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON)
            continue;
        size_t length = windowText(child).size();
        if (length > bestLength) {
            best = child;
            bestLength = length;
        }
    }
    return best;
}

std::wstring windowText(HWND window) {
    bool ok = false;
    LRESULT len = sendTimed(window, WM_GETTEXTLENGTH, 0, 0, ok);
    if (!ok || len <= 0) return {};
    std::wstring text(size_t(len) + 1, L'\0');
    sendTimed(window, WM_GETTEXT, WPARAM(len + 1), LPARAM(&text[0]), ok);
    text.resize(wcslen(text.c_str()));
    return text;
}

std::wstring windowClass(HWND window) {
    wchar_t name[128] = {};
    GetClassNameW(window, name, 128);
    return name;
}

std::string setControlText(HWND control, const std::wstring& text) {
    bool ok = false;
    sendTimed(control, WM_SETTEXT, 0, LPARAM(text.c_str()), ok);
    if (!ok) return "the control does not respond";
    // Edit controls report the change themselves; a combo box's edit field does not.
    if (lower(windowClass(control)) == L"combobox") notifyParent(control, CBN_EDITCHANGE);
    return {};
}

std::string typeIntoControl(HWND control, const std::wstring& text) {
    if (lower(windowClass(control)) != L"edit") return "the control is not a text field";
    if (!IsWindowEnabled(control)) return "the control is disabled";
    bool ok = false;
    sendTimed(control, EM_SETSEL, 0, -1, ok);
    if (ok) sendTimed(control, WM_CLEAR, 0, 0, ok);
    for (size_t i = 0; ok && i < text.size(); ++i)
        sendTimed(control, WM_CHAR, WPARAM(text[i]), 1, ok);
    return ok ? std::string() : "the control does not respond";
}

std::string clickControl(HWND control) {
    if (!IsWindowEnabled(control)) return "the control is disabled";
    if (isToggle(control)) {
        bool on = false;
        std::string err = readCheck(control, on);
        if (!err.empty()) return err;
        LONG kind = buttonKind(control);
        bool radio = kind == BS_RADIOBUTTON || kind == BS_AUTORADIOBUTTON;
        return checkControl(control, radio ? true : !on);
    }
    notifyParent(control, BN_CLICKED);
    return {};
}

std::string checkControl(HWND control, bool on) {
    if (!isToggle(control)) return "the control is not a check box";
    if (!IsWindowEnabled(control)) return "the control is disabled";
    bool ok = false;
    sendTimed(control, BM_SETCHECK, on ? BST_CHECKED : BST_UNCHECKED, 0, ok);
    if (!ok) return "the control does not respond";
    notifyParent(control, BN_CLICKED);
    return {};
}

std::string readCheck(HWND control, bool& on) {
    if (!isToggle(control)) return "the control is not a check box";
    bool ok = false;
    on = sendTimed(control, BM_GETCHECK, 0, 0, ok) == BST_CHECKED;
    return ok ? std::string() : std::string("the control does not respond");
}

std::string chooseItem(HWND control, const std::wstring& text) {
    if (!IsWindowEnabled(control)) return "the control is disabled";
    std::wstring cls = lower(windowClass(control));
    bool ok = false;
    if (cls == L"combobox" || cls == L"listbox") {
        bool combo = cls == L"combobox";
        int count = int(sendTimed(control, combo ? CB_GETCOUNT : LB_GETCOUNT, 0, 0, ok));
        for (int i = 0; ok && i < count; ++i) {
            std::wstring item = combo ? listText(control, CB_GETLBTEXTLEN, CB_GETLBTEXT, i)
                                      : listText(control, LB_GETTEXTLEN, LB_GETTEXT, i);
            if (item != text) continue;
            sendTimed(control, combo ? CB_SETCURSEL : LB_SETCURSEL, WPARAM(i), 0, ok);
            notifyParent(control, combo ? CBN_SELCHANGE : LBN_SELCHANGE);
            return {};
        }
        return "no entry with that text";
    }
    if (lower(cls) == L"radiogroup") {
        for (HWND child = GetWindow(control, GW_CHILD); child;
             child = GetWindow(child, GW_HWNDNEXT)) {
            if (windowText(child) != text) continue;
            PostMessageW(control, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(child), BN_CLICKED),
                         LPARAM(child));
            return {};
        }
        return "no button with that text";
    }
    return "the control is not a list";
}

void postDialogCommand(HWND dialog, int id) {
    HWND button = findControl(dialog, id);
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), LPARAM(button));
}

std::string setFileName(HWND dialog, HWND field, const std::wstring& name) {
    auto separator = [](wchar_t c) { return c == L'\\' || c == L'/'; };
    size_t length = name.size();
    if (name.size() >= 2 && name[1] == L':') {
        // a drive's path: taken as it is
    } else if (!name.empty() && separator(name[0])) {
        if (name.size() < 2 || !separator(name[1])) length += 2; // on the folder's drive
    } else {
        std::vector<wchar_t> folder(32768, L'\0');
        bool ok = false;
        LRESULT units =
            sendTimed(dialog, CDM_GETFOLDERPATH, WPARAM(folder.size()), LPARAM(folder.data()), ok);
        if (ok && units > 0) length += wcslen(folder.data()) + 1;
    }
    if (length > MAX_PATH - 1)
        return "the path would be " + std::to_string(length) +
               " characters long; the Save As dialog takes at most " + std::to_string(MAX_PATH - 1);
    return setControlText(field, name);
}

HWND findFileNameField(HWND dialog) {
    // Explorer-style dialogs carry the name in combo box cmb13 (1148), older ones in edt1
    // (1152); either may be present but hidden.
    for (int id : {1148, 1152}) {
        HWND field = findControl(dialog, id);
        if (field && IsWindowVisible(field)) return field;
    }
    return nullptr;
}
