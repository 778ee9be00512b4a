#include "dialogs/builder.h"

#include <commctrl.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "dialogs/control_access.h"
#include "dialogs/toolkit.h"
#include "dialogs/window_classes.h"
#include "dialogs/window_props.h"
#include "foundation/encoding.h"
#include "foundation/localize.h"
#include "foundation/xml.h"

namespace {

constexpr DWORD kChildVisible = WS_CHILD | WS_VISIBLE;
constexpr DialogTag kTerminator = makeTag("####");

// Shared by the steps of one build; builds do not nest.
struct BuilderState {
    HWND dialog = nullptr;
    HWND parent = nullptr;
    HWND openGroup = nullptr;
};
BuilderState gBuild;

struct Rect {
    int x = 0, y = 0, w = 0, h = 0;
};

Rect readRect(const char* element) {
    char text[kXmlValueSize] = "";
    Rect r;
    xmlGetText(element, "rect", text);
    sscanf(text, "%d %d %d %d", &r.x, &r.y, &r.w, &r.h);
    return r;
}

DialogTag internalType(const char* text) {
    static const struct {
        const char* code;
        DialogTag type;
    } kCodes[] = {
        {"push", kTypePushButton}, {"cbox", kTypeCheckBox},    {"comb", kTypeCombo},
        {"etxt", kTypeEditText},   {"eutx", kTypeEditText},    {"grpb", kTypeGroupBox},
        {"lbox", kTypeListBox},    {"popb", kTypePopup},       {"prgb", kTypeProgressBar},
        {"rgrp", kTypeRadioGroup}, {"rdio", kTypeRadioButton}, {"sepa", kTypeSeparator},
        {"stxt", kTypeStaticText}, {"tabs", kTypeTabs},        {"upan", kTypeUserPane},
        {"####", kTerminator},
    };
    for (const auto& entry : kCodes) {
        if (strcmp(text, entry.code) == 0) return entry.type;
    }
    return 0;
}

bool hasText(const char* element, const char* name) {
    char text[kXmlValueSize];
    return xmlGetText(element, name, text) > 0;
}

// The style, class and height of one control; `h` starts as the description's height.
struct Creation {
    DWORD exStyle = 0;
    const char* className = nullptr;
    DWORD style = kChildVisible;
    int h = 0;
    int yShift = 0;
    bool replaceProc = false;
};

void describeEdit(const char* element, bool selectable, Creation& c) {
    c.className = "Edit";
    c.style = xmlGetInt(element, "pass", 0) == 1 ? 0x500100E0 : 0x500100C0;
    int multi = xmlGetInt(element, "multi", 0);
    if (multi == 1)
        c.style |= ES_MULTILINE | ES_WANTRETURN;
    else if (multi == 0)
        c.h = 18;
    char just[kXmlValueSize] = "";
    xmlGetText(element, "just", just);
    if (strcmp(just, "center") == 0)
        c.style |= ES_CENTER;
    else if (strcmp(just, "right") == 0)
        c.style |= ES_RIGHT;
    if (xmlGetInt(element, "readonly", 0) == 1) {
        c.style |= WS_BORDER | ES_READONLY;
        c.exStyle = 0;
    } else if (selectable) {
        c.style |= ES_READONLY;
        c.exStyle = 0;
    } else {
        c.exStyle = WS_EX_CLIENTEDGE;
    }
}

void describeStatic(const char* element, Creation& c) {
    if (hasText(element, "sap ")) {
        describeEdit(element, true, c);
        return;
    }
    c.className = "Static";
    char just[kXmlValueSize] = "";
    xmlGetText(element, "just", just);
    if (strcmp(just, "center") == 0)
        c.style = kChildVisible | SS_CENTER;
    else if (strcmp(just, "right") == 0)
        c.style = kChildVisible | SS_RIGHT;
    else
        c.style = kChildVisible | SS_LEFTNOWORDWRAP;
    if (xmlGetInt(element, "border", 0) == 1) c.style |= WS_BORDER;
    if (xmlGetInt(element, "multi", 0) == 1)
        c.style |= WS_BORDER;
    else
        c.h = 16;
}

bool describe(DialogTag type, const char* element, Creation& c) {
    switch (type) {
    case kTypePushButton:
        c.className = "Button";
        c.h = 20;
        c.replaceProc = true;
        break;
    case kTypeCheckBox:
        c.className = "Button";
        c.style |= BS_AUTOCHECKBOX;
        c.h = 20;
        c.replaceProc = true;
        break;
    case kTypeRadioButton:
        c.className = "Button";
        c.style |= BS_AUTORADIOBUTTON;
        c.h = 20;
        c.replaceProc = true;
        break;
    case kTypeCombo:
        c.className = "ComboBox";
        c.style = 0x50010042;
        c.h = 200;
        break;
    case kTypeEditText:
        describeEdit(element, false, c);
        break;
    case kTypeGroupBox:
        c.className = "Button";
        c.style = 0x50000007;
        c.replaceProc = true;
        break;
    case kTypeListBox:
        c.className = "ListBox";
        c.exStyle = WS_EX_CLIENTEDGE;
        c.style = 0x50200951;
        c.replaceProc = true;
        break;
    case kTypePopup:
        c.className = "ComboBox";
        c.style = 0x50210003;
        c.h = 200;
        if (scaleFactor() < 1.5f) c.yShift = -1;
        break;
    case kTypeProgressBar:
        c.className = "msctls_progress32";
        c.style = kChildVisible | PBS_SMOOTH;
        break;
    case kTypeRadioGroup:
        c.className = "RadioGroup";
        break;
    case kTypeSeparator:
        c.className = "Separator";
        c.yShift = -3;
        break;
    case kTypeStaticText:
        describeStatic(element, c);
        break;
    case kTypeTabs:
        c.className = "SysTabControl32";
        c.exStyle = WS_EX_CLIENTEDGE;
        c.style = kChildVisible | TCS_BUTTONS;
        c.replaceProc = true;
        break;
    case kTypeUserPane:
        c.className = "UserPane";
        break;
    default:
        return false;
    }
    return true;
}

bool hasEmptyText(DialogTag type) {
    return type == kTypeRadioGroup || type == kTypeSeparator || type == kTypeTabs ||
           type == kTypeUserPane;
}

bool addMenuItem(const char* element, int32_t, void* context) {
    char text[kXmlValueSize] = "";
    char label[kLocalizedSize];
    xmlGetText(element, "menu", text);
    localizeLabel(text, label);
    addListItem(static_cast<HWND>(context), label);
    return true;
}

void addTabLabels(HWND tabs, const char* element) {
    for (int n = 1;; ++n) {
        char name[16];
        char label[kXmlValueSize] = "";
        snprintf(name, sizeof(name), "text%d", n);
        if (xmlGetText(element, name, label) <= 0) break;
        // The label as written: tab labels are not string keys.
        WideText wide = utf8ToWide(label);
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        item.pszText = &wide[0];
        int count = int(SendMessageW(tabs, TCM_GETITEMCOUNT, 0, 0));
        SendMessageW(tabs, TCM_INSERTITEMW, WPARAM(count), reinterpret_cast<LPARAM>(&item));
    }
}

void endCurrentParent() {
    if (gBuild.openGroup) {
        gBuild.openGroup = nullptr;
        setGroupOrigin(0, 0);
        return;
    }
    // A surplus terminator stops at the dialog: its owner is no parent of ours.
    if (gBuild.parent != gBuild.dialog) gBuild.parent = GetParent(gBuild.parent);
}

bool buildControl(const char* element, int32_t, void*) {
    char typeText[kXmlValueSize] = "";
    char text[kXmlValueSize] = "";
    char label[kLocalizedSize] = "";
    xmlGetText(element, "type", typeText);
    int id = xmlGetInt(element, "id", -1);
    Rect r = readRect(element);
    xmlGetText(element, "text", text);
    localizeLabel(text, label);

    DialogTag type = internalType(typeText);
    if (type == 0) return true;
    if (type == kTerminator) {
        endCurrentParent();
        return true;
    }

    Creation c;
    c.h = r.h;
    if (!describe(type, element, c)) return true;
    HWND control = createControl(c.exStyle, c.className, hasEmptyText(type) ? "" : label, c.style,
                                 r.x, r.y + c.yShift, r.w, c.h, gBuild.parent, id, nullptr);
    if (!control) return true;

    if (c.replaceProc) installReplacementProc(control);
    if (type == kTypeCombo || type == kTypePopup) {
        xmlForEachElement(element, "menu", addMenuItem, control);
        if (type == kTypePopup) {
            setControlText(control, label);
            SendMessageW(control, CB_SETEXTENDEDUI, TRUE, 0);
        }
    }
    if (type == kTypeTabs) addTabLabels(control, element);

    if (type == kTypeGroupBox) {
        gBuild.openGroup = control;
        setGroupOrigin(r.x, r.y);
    }
    if (type == kTypeRadioGroup || type == kTypeTabs || type == kTypeUserPane)
        gBuild.parent = control;

    char cmd[kXmlValueSize] = "";
    xmlGetText(element, "cmd", cmd);
    setCommandTag(control, tagFromText(cmd));
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(toolkitFont()), FALSE);

    for (DialogTag tag : kDescriptionStringTags) {
        char name[5] = {char(tag >> 24), char(tag >> 16), char(tag >> 8), char(tag), 0};
        char value[kXmlValueSize] = "";
        if (xmlGetText(element, name, value) > 0) setStringProp(control, tag, value);
    }
    return true;
}

} // namespace

bool buildDialog(HWND window, const char* name) {
    if (!window || !name) return false;
    char* description = loadResourceText(name, "XML", interfaceLanguage());
    if (!description) return false;

    Rect size = readRect(description);
    RECT outer, client;
    GetWindowRect(window, &outer);
    GetClientRect(window, &client);
    int extraW = (outer.right - outer.left) - (client.right - client.left);
    int extraH = (outer.bottom - outer.top) - (client.bottom - client.top);
    SetWindowPos(window, nullptr, 0, 0, scaleUnits(size.w) + extraW, scaleUnits(size.h) + extraH,
                 SWP_NOZORDER | SWP_NOACTIVATE);

    char title[kXmlValueSize] = "";
    char label[kLocalizedSize];
    xmlGetText(description, "name", title);
    localizeLabel(title, label);
    setWindowTextQuietly(window, utf8ToWide(label).c_str());

    gBuild = BuilderState{window, window, nullptr};
    setGroupOrigin(0, 0);
    HWND root =
        createControl(0, "UserPane", "", kChildVisible, 0, 0, size.w, size.h, window, 0, nullptr);
    if (root) gBuild.parent = root;
    xmlForEachElement(description, "control", buildControl, nullptr);

    gBuild = BuilderState{};
    setGroupOrigin(0, 0);
    free(description);
    return true;
}
