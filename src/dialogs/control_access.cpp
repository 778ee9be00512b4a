#include "dialogs/control_access.h"

#include <commctrl.h>

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "dialogs/toolkit.h"
#include "dialogs/window_classes.h"
#include "foundation/encoding.h"
#include "foundation/localize.h"

namespace {

bool gSuppressCommands = false;

constexpr size_t kLookupLimit = 250; // longer texts are never keys
constexpr int kWindowTextUnits = 1024;
constexpr size_t kItemTextSize = 256;
constexpr int kSelectAllEnd = 32000;

struct ClassType {
    const wchar_t* name;
    DialogTag type;
};

const ClassType kClassTypes[] = {
    {L"Static", kTypeStaticText},
    {L"Edit", kTypeEditText},
    {L"ListBox", kTypeListBox},
    {L"GroupBox", kTypeGroupBox},
    {L"SysTabControl32", kTypeTabs},
    {L"Separator", kTypeSeparator},
    {L"UserPane", kTypeUserPane},
    {L"RadioGroup", kTypeRadioGroup},
    {L"msctls_progress32", kTypeProgressBar},
};

int16_t sendShort(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
    return int16_t(SendMessageW(window, message, wParam, lParam));
}

// The UTF-16 text of a list entry, or an empty text when the entry does not exist.
std::wstring listText(HWND list, UINT lengthMessage, UINT textMessage, WPARAM index) {
    LRESULT length = SendMessageW(list, lengthMessage, index, 0);
    if (length < 0) return std::wstring();
    std::wstring text(size_t(length) + 1, L'\0');
    LRESULT got = SendMessageW(list, textMessage, index, reinterpret_cast<LPARAM>(&text[0]));
    text.resize(got < 0 ? 0 : size_t(got));
    return text;
}

void setWindowTextUtf8(HWND window, const char* text) {
    std::string resolved = text ? text : "";
    if (resolved.size() < kLookupLimit) {
        char key[kLookupLimit + 1];
        char label[kLocalizedSize];
        strcpy(key, resolved.c_str());
        localizeLabel(key, label, sizeof(label));
        resolved = label;
    }
    setWindowTextQuietly(window, utf8ToWide(resolved.c_str()).c_str());
}

void selectPopupItemByText(HWND popup, const char* text) {
    int32_t count = itemCount(popup);
    for (int32_t i = 1; i <= count; ++i) {
        char item[kItemTextSize];
        getItemText(popup, i, item);
        if (strcmp(item, text ? text : "") == 0) {
            setControlValue(popup, i);
            return;
        }
    }
    setControlValue(popup, 1);
}

} // namespace

DialogTag controlType(HWND window) {
    wchar_t name[64] = L"";
    if (!window || !GetClassNameW(window, name, 64)) return 0;
    if (lstrcmpiW(name, L"Button") == 0) {
        LONG style = GetWindowLongW(window, GWL_STYLE);
        return (style & 0xFFFF) == BS_AUTOCHECKBOX ? kTypeCheckBox : kTypePushButton;
    }
    if (lstrcmpiW(name, L"ComboBox") == 0) {
        LONG style = GetWindowLongW(window, GWL_STYLE);
        return (style & 3) == CBS_DROPDOWNLIST ? kTypePopup : kTypeCombo;
    }
    for (const ClassType& entry : kClassTypes) {
        if (lstrcmpiW(name, entry.name) == 0) return entry.type;
    }
    return 0;
}

int controlId(HWND window) {
    return window ? GetDlgCtrlID(window) : 0;
}

bool commandsSuppressed() {
    return gSuppressCommands;
}

void setWindowTextQuietly(HWND window, const wchar_t* text) {
    gSuppressCommands = true;
    SetWindowTextW(window, text);
    gSuppressCommands = false;
}

void getControlText(HWND control, char* buffer, size_t size) {
    if (!control || !buffer || size == 0) return;
    DialogTag type = controlType(control);
    if (type == kTypeListBox) {
        LRESULT selected = SendMessageW(control, LB_GETCURSEL, 0, 0);
        if (selected < 0) return;
        std::wstring text = listText(control, LB_GETTEXTLEN, LB_GETTEXT, WPARAM(selected));
        wideToNarrow(text.c_str(), int32_t(text.size()), buffer, int32_t(size), kCodePageUtf8);
        return;
    }
    if (type == kTypePopup) {
        char item[kItemTextSize];
        getItemText(control, 0, item);
        snprintf(buffer, size, "%s", item);
        return;
    }
    wchar_t text[kWindowTextUnits] = L"";
    GetWindowTextW(control, text, kWindowTextUnits);
    std::string utf8 = wideToUtf8(text);
    // A text that does not fit whole is not handed out in pieces.
    if (utf8.size() + 1 > size)
        buffer[0] = 0;
    else
        memcpy(buffer, utf8.c_str(), utf8.size() + 1);
}

void getControlTextById(HWND dialog, intptr_t id, char* buffer) {
    getControlText(findControl(dialog, id), buffer, 255);
}

void setControlText(HWND control, const char* text) {
    if (!control) return;
    DialogTag type = controlType(control);
    if (type == kTypeListBox) return;
    if (type == kTypePopup) {
        selectPopupItemByText(control, text);
        return;
    }
    setWindowTextUtf8(control, text);
}

void setControlTextById(HWND dialog, intptr_t id, const char* text) {
    setControlText(findControl(dialog, id), text);
}

void setControlTextF(HWND control, const char* format, ...) {
    char text[2048];
    va_list args;
    va_start(args, format);
    vsnprintf(text, sizeof(text), format ? format : "", args);
    va_end(args);
    setControlText(control, text);
}

int32_t getControlValue(HWND control) {
    if (!control) return 0;
    switch (controlType(control)) {
    case kTypeStaticText:
    case kTypeEditText: {
        char text[kWindowTextUnits * 3];
        getControlText(control, text, sizeof(text));
        long value = strtol(text, nullptr, 10);
        if (value > INT32_MAX) return INT32_MAX;
        if (value < INT32_MIN) return INT32_MIN;
        return int32_t(value);
    }
    case kTypeCheckBox:
        return sendShort(control, BM_GETCHECK);
    case kTypeCombo:
    case kTypePopup:
        return sendShort(control, CB_GETCURSEL) + 1;
    case kTypeTabs:
        return sendShort(control, TCM_GETCURSEL) + 1;
    case kTypeRadioGroup:
        return sendShort(control, kMsgRadioGetSelection);
    case kTypeProgressBar:
        return sendShort(control, PBM_GETPOS);
    default:
        return 0;
    }
}

int32_t getControlValueById(HWND dialog, intptr_t id) {
    return getControlValue(findControl(dialog, id));
}

void setControlValue(HWND control, int32_t value) {
    if (!control) return;
    switch (controlType(control)) {
    case kTypeStaticText:
    case kTypeEditText:
        setControlTextF(control, "%d", int(value));
        break;
    case kTypeCheckBox:
        SendMessageW(control, BM_SETCHECK, WPARAM(value), 0);
        break;
    case kTypeCombo:
    case kTypePopup:
        SendMessageW(control, CB_SETCURSEL, WPARAM(value - 1), 0);
        break;
    case kTypeTabs:
        SendMessageW(control, TCM_SETCURSEL, WPARAM(value - 1), 0);
        break;
    case kTypeRadioGroup:
        SendMessageW(control, kMsgRadioSetSelection, WPARAM(value), 0);
        break;
    case kTypeProgressBar:
        SendMessageW(control, PBM_SETPOS, WPARAM(value), 0);
        break;
    default:
        break;
    }
}

void setControlValueById(HWND dialog, intptr_t id, int32_t value) {
    setControlValue(findControl(dialog, id), value);
}

int16_t addListItem(HWND combo, const char* text) {
    if (!combo) return 0;
    WideText wide = utf8ToWide(text ? text : "");
    SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wide.c_str()));
    return sendShort(combo, CB_GETCOUNT);
}

int32_t itemCount(HWND combo) {
    return combo ? sendShort(combo, CB_GETCOUNT) : 0;
}

void getItemText(HWND popup, int32_t index, char* buffer) {
    if (!popup || !buffer || controlType(popup) != kTypePopup) return;
    int32_t position = index == 0 ? getControlValue(popup) : index;
    std::wstring text = listText(popup, CB_GETLBTEXTLEN, CB_GETLBTEXT, WPARAM(position - 1));
    wideToNarrow(text.c_str(), int32_t(text.size()), buffer, int32_t(kItemTextSize), kCodePageUtf8);
}

void focusControl(HWND control) {
    if (!control) return;
    SetFocus(control);
    SendMessageW(control, EM_SETSEL, 0, kSelectAllEnd);
}

void focusControlById(HWND dialog, intptr_t id) {
    focusControl(findControl(dialog, id));
}

void focusAndSelect(HWND control, int from, int to) {
    if (!control) return;
    focusControl(control);
    SendMessageW(control, EM_SETSEL, WPARAM(from), LPARAM(to));
}

void enableControl(HWND control, int on) {
    if (control) EnableWindow(control, on != 0 ? TRUE : FALSE);
}

int showSelectedTabPage(HWND tabControl) {
    if (!tabControl) return -1;
    int selected = int(SendMessageW(tabControl, TCM_GETCURSEL, 0, 0));
    int n = 0;
    for (HWND page = GetWindow(tabControl, GW_CHILD); page; page = GetWindow(page, GW_HWNDNEXT))
        ShowWindow(page, n++ == selected ? SW_SHOW : SW_HIDE);
    return selected;
}
