// Descriptions built into real dialogs: classes, styles, places in pixels, parents, texts.
#include <gtest/gtest.h>
#include <windows.h>

#include <commctrl.h>

#include <cstring>
#include <string>

#include "dialog_test_support.h"
#include "dialogs/control_access.h"
#include "dialogs/dialog_runtime.h"
#include "dialogs/toolkit.h"
#include "dialogs/window_props.h"

namespace {

constexpr int kDialogItself = -2;
constexpr int kRootPane = 0;
constexpr int kListHeight = -1; // combo boxes: the closed height belongs to the system

struct Expected {
    int id;
    int parent; // id of the parent, kRootPane or kDialogItself
    const char* className;
    DWORD style;
    DWORD exStyle;
    int x, y, w, h; // description units
    const char* text;
};

int px(int units) {
    return scaleUnits(units);
}

void checkControl(HWND dialog, const Expected& e) {
    SCOPED_TRACE("control " + std::to_string(e.id));
    HWND control = findControl(dialog, e.id);
    ASSERT_NE(control, nullptr);
    EXPECT_EQ(className(control), e.className);
    // Combo and list boxes manage their scroll bars themselves and drop the bits.
    // Edits draw a WS_BORDER frame themselves and drop the bit (EditFrames checks the frame).
    DWORD systemBits = WS_VSCROLL | WS_HSCROLL;
    if (strcmp(e.className, "Edit") == 0) systemBits |= WS_BORDER;
    EXPECT_EQ(DWORD(GetWindowLongW(control, GWL_STYLE)) & ~systemBits, e.style & ~systemBits);
    EXPECT_EQ(DWORD(GetWindowLongW(control, GWL_EXSTYLE)) & ~WS_EX_NOPARENTNOTIFY, e.exStyle);
    HWND parent = GetParent(control);
    if (e.parent == kDialogItself) {
        EXPECT_EQ(parent, dialog);
    } else {
        EXPECT_EQ(GetDlgCtrlID(parent), e.parent) << "parent class " << className(parent);
    }
    RECT r = rectInParent(control);
    RECT want{px(e.x), px(e.y), px(e.x) + px(e.w), px(e.y) + px(e.h)};
    if (e.h == kListHeight) want.bottom = r.bottom;
    EXPECT_EQ(describeRect(r), describeRect(want));
    if (e.text) {
        EXPECT_EQ(windowText(control), e.text);
    }
    // Our own classes draw no text and keep no font.
    if (controlType(control) != kTypeRadioGroup && controlType(control) != kTypeUserPane &&
        controlType(control) != kTypeSeparator) {
        EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)), toolkitFont());
    }
}

INT_PTR runAndCheck(const char* description, const std::function<void(HWND)>& check) {
    return whileModal([&] { return runDescribedDialog(description, nullptr, nullptr); },
                      [&](HWND dialog) {
                          check(dialog);
                          EndDialog(dialog, 55);
                      });
}

TEST(Builder, ScaleFollowsTheScreenResolution) {
    struct Case {
        int pixels, millimetres;
        float scale;
        int unitsIn, pixelsOut, fontHeight;
    } cases[] = {
        {1280, 338, 1.0f, 100, 100, 14},    // 96 dpi: one unit is one pixel
        {1920, 338, 1.3115f, 100, 131, 18}, // 144 dpi
        {1920, 444, 1.0f, 7, 7, 14},        // below 110 dpi counts as 110
        {1280, 0, 1.0f, 3, 3, 14},          // a screen without a size
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.pixels) + " px / " + std::to_string(c.millimetres) + " mm");
        float scale = scaleForScreen(c.pixels, c.millimetres);
        EXPECT_NEAR(scale, c.scale, 0.001);
        EXPECT_EQ(scaleUnitsAt(c.unitsIn, scale), c.pixelsOut);
        EXPECT_EQ(toolkitFontHeight(scale), c.fontHeight);
    }
}

TEST(Builder, ToolkitFontIsShellDialogAtFourteenUnits) {
    LOGFONTW font{};
    ASSERT_TRUE(GetObjectW(toolkitFont(), sizeof(font), &font));
    EXPECT_STREQ(font.lfFaceName, L"MS Shell Dlg");
    EXPECT_EQ(font.lfHeight, toolkitFontHeight(scaleFactor()));
    EXPECT_EQ(font.lfWeight, FW_NORMAL);
}

TEST(Builder, ToolkitClassesAreRegistered) {
    HCURSOR arrow = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    for (const wchar_t* name : {L"Separator", L"UserPane", L"RadioGroup"}) {
        SCOPED_TRACE(std::string(name, name + wcslen(name)));
        WNDCLASSEXW info{};
        info.cbSize = sizeof(info);
        ASSERT_TRUE(GetClassInfoExW(toolkitInstance(), name, &info));
        EXPECT_EQ(info.style, UINT(CS_HREDRAW | CS_VREDRAW));
        EXPECT_EQ(info.hbrBackground, nullptr);
        EXPECT_EQ(info.hCursor, arrow);
        EXPECT_EQ(info.hIcon, nullptr);
        EXPECT_EQ(info.cbWndExtra, 0);
    }
}

TEST(Builder, ProgressDescriptionBuildsItsThreeControls) {
    const Expected controls[] = {
        {3, kRootPane, "msctls_progress32", 0x50000001, 0, 19, 51, 291, 13, ""},
        {2, kRootPane, "Button", 0x50000000, 0, 330, 47, 89, 20, "Cancel"},
        {4, kRootPane, "Static", 0x5000000C, 0, 20, 20, 400, 16, ""},
    };
    INT_PTR code = runAndCheck("Progress", [&](HWND dialog) {
        RECT client;
        GetClientRect(dialog, &client);
        EXPECT_EQ(client.right, px(440));
        EXPECT_EQ(client.bottom, px(82));
        EXPECT_EQ(windowText(dialog), "kModuleName");
        HWND root = GetWindow(dialog, GW_CHILD);
        EXPECT_EQ(className(root), "UserPane");
        EXPECT_EQ(describeRect(rectInParent(root)), describeRect(RECT{0, 0, px(440), px(82)}));
        for (const Expected& e : controls)
            checkControl(dialog, e);
        EXPECT_EQ(findControl(dialog, makeTag("prog")), findControl(dialog, 3));
        EXPECT_EQ(findControl(dialog, makeTag("not!")), findControl(dialog, 2));
        EXPECT_EQ(getProp(findControl(dialog, 4), kTagCommand), 0);
        // Placed by the runtime: centred, a quarter of the free height from the top.
        RECT outer;
        GetWindowRect(dialog, &outer);
        EXPECT_EQ(outer.left, (GetSystemMetrics(SM_CXSCREEN) - (outer.right - outer.left)) / 2);
        EXPECT_EQ(outer.top, (GetSystemMetrics(SM_CYSCREEN) - (outer.bottom - outer.top)) / 4);
    });
    EXPECT_EQ(code, 55);
}

TEST(Builder, EveryTypeGetsItsClassStyleAndPlace) {
    const int popupY = scaleFactor() < 1.5f ? 19 : 20;
    const Expected controls[] = {
        {10, kRootPane, "Button", 0x50000007, 0, 15, 107, 200, 80, "Options"},
        // Inside the group box: relative to its corner, but still a child of the pane.
        {11, kRootPane, "Button", 0x50000003, 0, 25, 127, 150, 20, "Use last folder"},
        {12, kRootPane, "Edit", 0x500100C0, 0x200, 10, 20, 100, 18, "abc"},
        {13, kRootPane, "Edit", 0x500110C6, 0x200, 10, 50, 100, 60, ""},
        {14, kRootPane, "Edit", 0x508108E0, 0, 10, 200, 100, 18, ""},
        {15, kRootPane, "Static", 0x5000000C, 0, 120, 20, 100, 16, "Page(s):"},
        {16, kRootPane, "Edit", 0x500108C0, 0, 120, 40, 100, 18, "selectable"},
        {17, kRootPane, "Static", 0x50800001, 0, 120, 60, 100, 16, ""},
        {18, kRootPane, "Static", 0x5080000C, 0, 120, 80, 100, 30, ""},
        {20, kRootPane, "ComboBox", 0x50210003, 0, 230, popupY, 100, kListHeight, nullptr},
        {21, kRootPane, "ComboBox", 0x50210003, 0, 230, 44, 100, kListHeight, nullptr},
        {22, kRootPane, "ComboBox", 0x50010042, 0, 230, 70, 100, kListHeight, ""},
        {30, kRootPane, "RadioGroup", 0x50000000, 0, 230, 100, 150, 80, ""},
        {31, 30, "Button", 0x50000009, 0, 0, 0, 100, 20, "All"},
        {33, 30, "Button", 0x50000009, 0, 0, 40, 100, 20, ""},
        {40, kRootPane, "SysTabControl32", 0x54000100, 0x200, 10, 190, 380, 100, ""},
        {41, 40, "UserPane", 0x50000000, 0, 5, 30, 300, 60, ""},
        {42, 41, "Button", 0x50000000, 0, 5, 5, 80, 20, "Cancel"},
        {43, 40, "UserPane", 0x50000000, 0, 5, 30, 300, 60, ""},
        {50, kRootPane, "Separator", 0x50000000, 0, 10, 297, 300, 2, ""},
        {51, kRootPane, "msctls_progress32", 0x50000001, 0, 10, 305, 100, 10, ""},
        {52, kRootPane, "ListBox", 0x50200951, 0x200, 120, 250, 80, 30, nullptr},
        // A surplus terminator ends the root pane; another one stays at the dialog.
        {60, kDialogItself, "Button", 0x50000000, 0, 1, 1, 10, 20, ""},
        {61, kDialogItself, "Button", 0x50000000, 0, 20, 1, 10, 20, ""},
    };
    INT_PTR code = runAndCheck("Layout", [&](HWND dialog) {
        EXPECT_EQ(windowText(dialog), "Page(s):");
        RECT client;
        GetClientRect(dialog, &client);
        EXPECT_EQ(client.right, px(400));
        EXPECT_EQ(client.bottom, px(320));
        for (const Expected& e : controls)
            checkControl(dialog, e);
        EXPECT_EQ(findControl(dialog, 19), nullptr) << "an unknown type creates nothing";
    });
    EXPECT_EQ(code, 55);
}

TEST(Builder, EditFrames) {
    runAndCheck("Layout", [](HWND dialog) {
        struct Case {
            int id;
            bool framed;
        } cases[] = {{12, true}, {16, false}}; // a WS_BORDER frame is drawn inside the client area
        for (const Case& c : cases) {
            HWND edit = findControl(dialog, c.id);
            RECT outer, client;
            GetWindowRect(edit, &outer);
            GetClientRect(edit, &client);
            bool framed = (outer.right - outer.left) > client.right;
            EXPECT_EQ(framed, c.framed) << "edit " << c.id;
        }
    });
}

TEST(Builder, ListsTabsTagsAndStringProperties) {
    runAndCheck("Layout", [](HWND dialog) {
        struct PopupCase {
            int id;
            int selected;
            const char* text;
        } popups[] = {{20, 1, "All"}, {21, 2, "None"}};
        for (const PopupCase& c : popups) {
            SCOPED_TRACE("pop-up " + std::to_string(c.id));
            HWND popup = findControl(dialog, c.id);
            EXPECT_EQ(itemCount(popup), 2);
            EXPECT_EQ(getControlValue(popup), c.selected);
            char text[256] = "?";
            getControlText(popup, text, sizeof(text));
            EXPECT_STREQ(text, c.text);
            EXPECT_TRUE(SendMessageW(popup, CB_GETEXTENDEDUI, 0, 0));
        }
        HWND combo = findControl(dialog, 22);
        EXPECT_EQ(itemCount(combo), 2);
        EXPECT_EQ(getControlValue(combo), 0) << "an editable combo box selects nothing";

        HWND tabs = findControl(dialog, 40);
        EXPECT_EQ(SendMessageW(tabs, TCM_GETITEMCOUNT, 0, 0), 2) << "labels stop at the empty one";
        wchar_t label[32] = L"";
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        item.pszText = label;
        item.cchTextMax = 32;
        SendMessageW(tabs, TCM_GETITEMW, 1, reinterpret_cast<LPARAM>(&item));
        EXPECT_STREQ(label, L"Two");

        EXPECT_EQ(findControl(dialog, makeTag("last")), findControl(dialog, 11));
        EXPECT_EQ(findControl(dialog, makeTag("canc")), findControl(dialog, 42));
        EXPECT_EQ(getProp(findControl(dialog, 11), kTagCommand), 0x6C617374);

        struct PropCase {
            int id;
            const char* tag;
            const char* value;
        } props[] = {
            {42, "data", "payload"}, {42, "dval", "  7 "}, {42, "pref", ""},
            {16, "sap ", "1"},       {12, "sap ", ""},
        };
        for (const PropCase& c : props) {
            char tag[5];
            memcpy(tag, c.tag, 5);
            char value[64] = "?";
            getStringProp(findControl(dialog, c.id), makeTag(tag), value, sizeof(value));
            EXPECT_STREQ(value, c.value) << "control " << c.id << " tag '" << c.tag << "'";
        }
    });
}

TEST(Builder, FindControlSearchesDepthFirstAndTopDialogClimbs) {
    runAndCheck("Layout", [](HWND dialog) {
        HWND deep = findControl(dialog, 42);
        ASSERT_NE(deep, nullptr);
        EXPECT_EQ(topDialog(deep), dialog);
        EXPECT_EQ(topDialog(dialog), dialog);
        EXPECT_EQ(findControl(deep, 42), deep) << "the root itself comes first";
        EXPECT_EQ(findControl(findControl(dialog, 30), 42), nullptr) << "only below the root";
        // Visibility plays no part.
        ShowWindow(findControl(dialog, 41), SW_HIDE);
        EXPECT_EQ(findControl(dialog, 42), deep);
        EXPECT_EQ(findControl(dialog, 9999), nullptr);
        EXPECT_EQ(topDialog(nullptr), nullptr);
    });
}

TEST(Builder, MissingDescriptionLeavesTheEmptyTemplateLocalised) {
    bool initCalled = false;
    INT_PTR code = whileModal(
        [&] {
            return runDescribedDialog(
                "NoSuchDescription",
                [](HWND, void* called) {
                    *static_cast<bool*>(called) = true;
                    return true;
                },
                &initCalled);
        },
        [](HWND dialog) {
            EXPECT_EQ(windowText(dialog), "Quendrel");
            EXPECT_EQ(GetWindow(dialog, GW_CHILD), nullptr);
            EndDialog(dialog, 9);
        });
    EXPECT_EQ(code, 9);
    EXPECT_TRUE(initCalled);
}

} // namespace
