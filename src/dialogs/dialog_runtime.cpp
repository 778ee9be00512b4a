#include "dialogs/dialog_runtime.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "dialogs/builder.h"
#include "dialogs/control_access.h"
#include "dialogs/toolkit.h"
#include "dialogs/window_classes.h"
#include "dialogs/window_props.h"
#include "foundation/encoding.h"
#include "foundation/localize.h"
#include "foundation/desktop.h"

namespace {

constexpr UINT_PTR kDialogTimer = 1;
constexpr int kMaxTabStops = 511;
constexpr size_t kItemTextSize = 256;
// The dialogs whose timer runs, kept here as well as in their properties: a job driven by the
// timer asks after every item whether its dialog is ending, and a property is a round trip
// to the window system each time.
std::vector<HWND> gTimedDialogs;

void forgetTimer(HWND dialog) {
    gTimedDialogs.erase(std::remove(gTimedDialogs.begin(), gTimedDialogs.end(), dialog),
                        gTimedDialogs.end());
}

intptr_t runTemplate(const char* templateName, DialogStart* start) {
    WideText name = utf8ToWide(templateName ? templateName : "");
    return DialogBoxParamW(toolkitInstance(), name.c_str(), GetActiveWindow(), toolkitDialogProc,
                           reinterpret_cast<LPARAM>(start));
}

void rememberComboChoice(HWND combo, int code) {
    if (code == CBN_DROPDOWN) {
        char text[kItemTextSize];
        getStringProp(combo, kTagComboMemory, text, sizeof(text));
        // An empty text would select the first item and overwrite what the user typed.
        if (!text[0]) return;
        WideText wide = utf8ToWide(text);
        SendMessageW(combo, CB_SELECTSTRING, WPARAM(-1), reinterpret_cast<LPARAM>(wide.c_str()));
    } else if (code == CBN_SELENDOK) {
        LRESULT selected = SendMessageW(combo, CB_GETCURSEL, 0, 0);
        if (selected < 0) return;
        LRESULT length = SendMessageW(combo, CB_GETLBTEXTLEN, WPARAM(selected), 0);
        if (length < 0) return;
        std::wstring text(size_t(length) + 1, L'\0');
        SendMessageW(combo, CB_GETLBTEXT, WPARAM(selected), reinterpret_cast<LPARAM>(&text[0]));
        std::string utf8 = wideToUtf8(text.c_str());
        if (utf8.size() < kItemTextSize) setStringProp(combo, kTagComboMemory, utf8.c_str());
    }
}

void routeCommand(HWND dialog, WPARAM wParam, LPARAM lParam) {
    if (commandsSuppressed()) return;
    int code = HIWORD(wParam);
    int id = int16_t(LOWORD(wParam));
    bool okOrCancel = id == IDOK || id == IDCANCEL;
    HWND control = reinterpret_cast<HWND>(lParam);
    if (!control && okOrCancel) control = findControl(dialog, id);

    switch (controlType(control)) {
    case kTypeCombo:
        rememberComboChoice(control, code);
        break;
    case kTypePopup:
        if (code != CBN_SELCHANGE) return;
        break;
    case kTypeEditText:
        if (code != EN_CHANGE) return;
        break;
    default:
        break;
    }

    if (control) {
        auto proc = reinterpret_cast<CommandProc>(getProp(control, kTagCommandProc));
        if (proc && proc(control, dialog, reinterpret_cast<void*>(getProp(control, kTagOwnerData))))
            return;
    }
    if (okOrCancel) endDialog(dialog, id);
}

void collectTabStops(HWND parent, HWND* stops, int& count) {
    for (HWND child = GetWindow(parent, GW_CHILD); child && count < kMaxTabStops;
         child = GetWindow(child, GW_HWNDNEXT)) {
        LONG style = GetWindowLongW(child, GWL_STYLE);
        if (!(style & WS_VISIBLE) || (style & WS_DISABLED)) continue;
        if (controlType(child) != kTypeUserPane && (style & WS_TABSTOP)) stops[count++] = child;
        collectTabStops(child, stops, count);
    }
}

void moveFocus(HWND dialog, HWND from, bool backwards) {
    HWND parent = GetParent(from);
    if (controlType(from) == kTypeEditText && controlType(parent) == kTypeCombo) from = parent;

    HWND stops[kMaxTabStops];
    int count = 0;
    collectTabStops(dialog, stops, count);
    if (count == 0) return;

    int position = backwards ? count : -1;
    for (int i = 0; i < count; ++i) {
        if (stops[i] == from) {
            position = i;
            break;
        }
    }
    position += backwards ? -1 : 1;
    if (position < 0) position = count - 1;
    if (position >= count) position = 0;
    focusControl(stops[position]);
}

void paintDefaultItem(HDC dc, HWND listBox, int index, const RECT* rect) {
    if (index < 0) index = int(SendMessageW(listBox, LB_GETCURSEL, 0, 0));
    if (index < 0) return;
    LRESULT length = SendMessageW(listBox, LB_GETTEXTLEN, WPARAM(index), 0);
    if (length < 0) return;
    std::wstring text(size_t(length) + 1, L'\0');
    SendMessageW(listBox, LB_GETTEXT, WPARAM(index), reinterpret_cast<LPARAM>(&text[0]));
    char utf8[kItemTextSize - 1];
    wideToNarrow(text.c_str(), int32_t(length), utf8, int32_t(sizeof(utf8)), kCodePageUtf8);
    WideText shown = utf8ToWide(utf8);
    TextOutW(dc, rect->left + 2, rect->top + 2, shown.c_str(), int(shown.size()));
}

void drawListItem(const DRAWITEMSTRUCT* item) {
    if (item->CtlType != ODT_LISTBOX) return;
    FillRect(item->hDC, &item->rcItem, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    auto painter = reinterpret_cast<ItemPainter>(getProp(item->hwndItem, kTagItemPainter));
    int index = int(item->itemID);
    if (painter)
        painter(item->hDC, item->hwndItem, index, &item->rcItem,
                reinterpret_cast<void*>(getProp(item->hwndItem, kTagOwnerData)));
    else
        paintDefaultItem(item->hDC, item->hwndItem, index, &item->rcItem);
    if (item->itemState & ODS_SELECTED) InvertRect(item->hDC, &item->rcItem);
}

void localizePopupItems(HWND popup) {
    int32_t count = itemCount(popup);
    LRESULT selected = SendMessageW(popup, CB_GETCURSEL, 0, 0);
    for (int32_t i = 1; i <= count; ++i) {
        char text[kItemTextSize];
        char label[kLocalizedSize];
        getItemText(popup, i, text);
        localizeLabel(text, label);
        WideText wide = utf8ToWide(label);
        SendMessageW(popup, CB_DELETESTRING, WPARAM(i - 1), 0);
        SendMessageW(popup, CB_INSERTSTRING, WPARAM(i - 1), reinterpret_cast<LPARAM>(wide.c_str()));
    }
    SendMessageW(popup, CB_SETCURSEL, WPARAM(selected), 0);
}

BOOL CALLBACK localizeChild(HWND child, LPARAM) {
    switch (controlType(child)) {
    case kTypePushButton:
    case kTypeCheckBox:
    case kTypeEditText:
    case kTypeGroupBox:
    case kTypeStaticText: {
        char text[kItemTextSize] = "";
        getControlText(child, text, sizeof(text));
        setControlText(child, text);
        break;
    }
    case kTypePopup:
        localizePopupItems(child);
        break;
    default:
        break;
    }
    return TRUE;
}

} // namespace

INT_PTR CALLBACK toolkitDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG: {
        auto* start = reinterpret_cast<DialogStart*>(lParam);
        void* ownerData = start ? start->ownerData : nullptr;
        setOwnerData(dialog, ownerData);
        if (!start || !buildDialog(dialog, start->descriptionName)) localizeDialog(dialog);
        centreWindow(dialog);
        if (start && start->initProc) start->initProc(dialog, ownerData);
        return FALSE;
    }
    case WM_COMMAND:
        routeCommand(dialog, wParam, lParam);
        return 0;
    case WM_TIMER: {
        auto proc = reinterpret_cast<DialogTimerProc>(getProp(dialog, kTagTimerProc));
        if (proc) proc(dialog, reinterpret_cast<void*>(getProp(dialog, kTagOwnerData)));
        return 0;
    }
    case kMsgTabTyped:
        moveFocus(dialog, reinterpret_cast<HWND>(wParam), GetAsyncKeyState(VK_SHIFT) < 0);
        return TRUE;
    case WM_DRAWITEM:
        drawListItem(reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
        return TRUE;
    case WM_CLOSE:
        endDialog(dialog, IDCANCEL);
        return TRUE;
    case WM_DESTROY:
        KillTimer(dialog, kDialogTimer);
        forgetTimer(dialog);
        freeStringProps(dialog);
        return 0;
    }
    return 0;
}

intptr_t runDialog(const char* templateName, DialogInitProc initProc, void* ownerData) {
    DialogStart start{nullptr, initProc, ownerData};
    return runTemplate(templateName, &start);
}

intptr_t runDescribedDialog(const char* name, DialogInitProc initProc, void* ownerData) {
    HWND focus = GetFocus();
    HWND active = GetActiveWindow();
    HWND disabled = hostMainWindow();
    if (!disabled && active) disabled = GetWindow(active, GW_OWNER);
    bool wasEnabled = disabled && IsWindowEnabled(disabled);
    if (disabled) EnableWindow(disabled, FALSE);

    DialogStart start{name, initProc, ownerData};
    intptr_t code = runTemplate("MyDialog", &start);

    if (disabled) EnableWindow(disabled, wasEnabled ? TRUE : FALSE);
    if (active) SetActiveWindow(active);
    if (focus) SetFocus(focus);
    return int32_t(code);
}

HWND setCommandProc(HWND dialog, intptr_t key, CommandProc proc, void* ownerData) {
    HWND control = findControl(dialog, key);
    if (!control) return nullptr;
    setProp(control, kTagCommandProc, reinterpret_cast<intptr_t>(proc));
    setOwnerData(control, ownerData);
    return control;
}

void setDialogTimer(HWND dialog, DialogTimerProc proc, double seconds) {
    setProp(dialog, kTagTimerProc, reinterpret_cast<intptr_t>(proc));
    SetTimer(dialog, kDialogTimer, UINT(seconds * 1000), nullptr);
    forgetTimer(dialog);
    if (proc) gTimedDialogs.push_back(dialog);
}

void endDialog(HWND dialog, intptr_t code) {
    KillTimer(dialog, kDialogTimer);
    setProp(dialog, kTagTimerProc, 0);
    forgetTimer(dialog);
    EndDialog(dialog, code);
}

bool dialogTimerRunning(HWND dialog) {
    return dialog &&
           std::find(gTimedDialogs.begin(), gTimedDialogs.end(), dialog) != gTimedDialogs.end();
}

void setItemPainter(HWND listBox, ItemPainter painter, void* ownerData) {
    setProp(listBox, kTagItemPainter, reinterpret_cast<intptr_t>(painter));
    setOwnerData(listBox, ownerData);
}

void localizeDialog(HWND dialog) {
    if (!dialog) return;
    char title[kItemTextSize] = "";
    getControlText(dialog, title, sizeof(title));
    setControlText(dialog, title);
    EnumChildWindows(dialog, localizeChild, 0);
}
