// Control access on plain Win32 windows: the type read from class and style, values and texts
// by type, lists, focus, tab pages and window properties.
#include <gtest/gtest.h>
#include <windows.h>

#include <commctrl.h>

#include <string>
#include <vector>

#include "dialog_test_support.h"
#include "dialogs/control_access.h"
#include "dialogs/toolkit.h"
#include "dialogs/window_props.h"

namespace {

// A visible top-level window holding the controls of one test.
class ControlHost : public testing::Test {
  protected:
    void SetUp() override {
        useLanguage(0);
        parent_ = CreateWindowExW(0, L"UserPane", L"controls", WS_POPUP | WS_VISIBLE, 10, 10, 600,
                                  400, nullptr, nullptr, toolkitInstance(), nullptr);
        ASSERT_NE(parent_, nullptr);
    }
    void TearDown() override {
        DestroyWindow(parent_);
        useLanguage(0);
    }
    HWND make(const wchar_t* cls, DWORD style, const wchar_t* text = L"", int id = 100) {
        HWND w = CreateWindowExW(0, cls, text, WS_CHILD | WS_VISIBLE | style, 10, 10 + 25 * next_++,
                                 200, 100, parent_, reinterpret_cast<HMENU>(intptr_t(id)),
                                 GetModuleHandleW(nullptr), nullptr);
        EXPECT_NE(w, nullptr);
        return w;
    }
    HWND parent_ = nullptr;
    int next_ = 0;
};

std::string tagText(DialogTag t) {
    if (t == 0) return "0";
    return {char(t >> 24), char(t >> 16), char(t >> 8), char(t)};
}

TEST_F(ControlHost, TypeComesFromClassAndStyle) {
    struct Case {
        const wchar_t* cls;
        DWORD style;
        const char* type;
    } cases[] = {
        {L"Static", SS_LEFT, "stxt"},
        {L"static", SS_RIGHT, "stxt"},
        {L"Edit", ES_MULTILINE, "eutx"},
        {L"Button", BS_AUTOCHECKBOX, "cbox"},
        {L"Button", BS_CHECKBOX, "push"},
        {L"Button", BS_AUTORADIOBUTTON, "push"},
        {L"Button", BS_GROUPBOX, "push"},
        {L"Button", BS_DEFPUSHBUTTON, "push"},
        {L"ComboBox", CBS_DROPDOWNLIST, "popb"},
        {L"ComboBox", CBS_DROPDOWN, "comb"},
        {L"ComboBox", CBS_SIMPLE, "comb"},
        {L"ListBox", 0, "lbox"},
        {L"SysTabControl32", 0, "tabs"},
        {L"msctls_progress32", 0, "prgb"},
        {L"Separator", 0, "sepa"},
        {L"UserPane", 0, "upan"},
        {L"RadioGroup", 0, "radg"},
        {L"msctls_trackbar32", 0, "0"},
    };
    for (const Case& c : cases) {
        HWND w = make(c.cls, c.style);
        EXPECT_EQ(tagText(controlType(w)), c.type) << className(w) << " style " << c.style;
    }
    EXPECT_EQ(controlType(nullptr), 0u);
}

TEST_F(ControlHost, ValuesByType) {
    HWND text = make(L"Static", 0);
    HWND edit = make(L"Edit", 0, L"12 apples");
    HWND check = make(L"Button", BS_AUTOCHECKBOX);
    HWND radio = make(L"Button", BS_AUTORADIOBUTTON);
    HWND popup = make(L"ComboBox", CBS_DROPDOWNLIST);
    HWND progress = make(L"msctls_progress32", 0);
    HWND tabs = make(L"SysTabControl32", 0);
    for (const char* item : {"one", "two", "three"})
        addListItem(popup, item);
    for (int i = 0; i < 3; ++i) {
        TCITEMW tab{};
        tab.mask = TCIF_TEXT;
        tab.pszText = const_cast<wchar_t*>(L"tab");
        SendMessageW(tabs, TCM_INSERTITEMW, i, reinterpret_cast<LPARAM>(&tab));
    }

    EXPECT_EQ(getControlValue(edit), 12);
    setControlValue(text, 7);
    EXPECT_EQ(windowText(text), "7");
    EXPECT_EQ(getControlValue(text), 7);
    setControlValue(edit, -40);
    EXPECT_EQ(getControlValue(edit), -40);

    struct Case {
        HWND control;
        int32_t written;
        int32_t read;
    } cases[] = {
        {check, 1, 1}, {check, 0, 0}, {radio, 1, 0}, // a radio button reads as "push"
        {popup, 2, 2}, {popup, 0, 0}, {popup, 3, 3}, {progress, 42, 42}, {tabs, 3, 3}, {tabs, 1, 1},
    };
    for (const Case& c : cases) {
        setControlValue(c.control, c.written);
        EXPECT_EQ(getControlValue(c.control), c.read)
            << className(c.control) << " written " << c.written;
    }
    EXPECT_EQ(getControlValue(nullptr), 0);
    setControlValue(nullptr, 3); // nothing to write to
}

TEST_F(ControlHost, TextsByType) {
    HWND button = make(L"Button", 0, L"", 1);
    HWND popup = make(L"ComboBox", CBS_DROPDOWNLIST, L"", 2);
    HWND list = make(L"ListBox", LBS_HASSTRINGS, L"", 3);
    for (const char* item : {"Alpha", "Beta"})
        addListItem(popup, item);
    EXPECT_EQ(itemCount(popup), 2);
    EXPECT_EQ(addListItem(popup, "cancel"), 3) << "items are not looked up";

    struct KeyCase {
        int language;
        const char* text;
        const char* shown;
    } keys[] = {
        {0, "cancel", "Cancel"},
        {3, "cancel", "Abbrechen"},
        {3, "options:", "Optionen:"},
        {0, "no key here", "no key here"},
    };
    for (const KeyCase& k : keys) {
        useLanguage(k.language);
        setControlText(button, k.text);
        EXPECT_EQ(windowText(button), k.shown);
    }
    // Texts of 250 bytes and more are never keys.
    std::string longKey = "cancel" + std::string(250, ' ');
    setControlText(button, longKey.c_str());
    EXPECT_EQ(windowText(button), longKey);

    char text[256];
    struct PopupCase {
        const char* wanted;
        int selected;
        const char* read;
    } popups[] = {
        {"Beta", 2, "Beta"}, {"cancel", 3, "cancel"}, {"Gamma", 1, "Alpha"}, {"beta", 1, "Alpha"}};
    for (const PopupCase& p : popups) {
        setControlText(popup, p.wanted);
        EXPECT_EQ(getControlValue(popup), p.selected) << p.wanted;
        getControlText(popup, text, sizeof(text));
        EXPECT_STREQ(text, p.read);
    }
    getItemText(popup, 2, text);
    EXPECT_STREQ(text, "Beta");
    strcpy(text, "untouched");
    getItemText(button, 1, text);
    EXPECT_STREQ(text, "untouched") << "only pop-ups have items";

    // A list box without selection leaves the buffer alone; its text cannot be set.
    SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"entry"));
    getControlText(list, text, sizeof(text));
    EXPECT_STREQ(text, "untouched");
    setControlText(list, "other");
    SendMessageW(list, LB_SETCURSEL, 0, 0);
    getControlText(list, text, sizeof(text));
    EXPECT_STREQ(text, "entry");

    getControlText(nullptr, text, sizeof(text));
    EXPECT_STREQ(text, "entry");
}

TEST_F(ControlHost, WindowTextThatDoesNotFitReadsEmpty) {
    HWND edit = make(L"Edit", 0, L"K\u00f6ln");
    struct Case {
        size_t size;
        const char* read;
    } cases[] = {{6, "K\xC3\xB6ln"}, {5, ""}, {1, ""}};
    for (const Case& c : cases) {
        char text[16] = "junk";
        getControlText(edit, text, c.size);
        EXPECT_STREQ(text, c.read) << "buffer of " << c.size;
    }
    char viaId[255] = "";
    getControlTextById(parent_, 100, viaId);
    EXPECT_STREQ(viaId, "K\xC3\xB6ln");
    setControlTextById(parent_, 100, "%d");
    EXPECT_EQ(windowText(edit), "%d");
    setControlTextF(edit, "%s-%03d", "page", 7);
    EXPECT_EQ(windowText(edit), "page-007");
}

TEST_F(ControlHost, FocusSelectionAndEnabling) {
    HWND edit = make(L"Edit", 0, L"0123456789abcdefghij0123456789abcdefghij");
    focusAndSelect(edit, 0, 32);
    EXPECT_EQ(GetFocus(), edit);
    DWORD from = 0, to = 0;
    SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&from), reinterpret_cast<LPARAM>(&to));
    EXPECT_EQ(from, 0u);
    EXPECT_EQ(to, 32u);
    SetFocus(parent_);
    focusControlById(parent_, 100);
    SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&from), reinterpret_cast<LPARAM>(&to));
    EXPECT_EQ(to, 40u) << "the whole text";

    struct Case {
        int on;
        bool enabled;
    } cases[] = {{0, false}, {1, true}, {0, false}, {-5, true}};
    for (const Case& c : cases) {
        enableControl(edit, c.on);
        EXPECT_EQ(bool(IsWindowEnabled(edit)), c.enabled) << c.on;
    }
}

TEST_F(ControlHost, SelectedTabShowsItsPage) {
    HWND tabs = make(L"SysTabControl32", 0);
    HWND pages[3];
    for (int i = 0; i < 3; ++i) {
        TCITEMW tab{};
        tab.mask = TCIF_TEXT;
        tab.pszText = const_cast<wchar_t*>(L"tab");
        SendMessageW(tabs, TCM_INSERTITEMW, i, reinterpret_cast<LPARAM>(&tab));
        pages[i] = CreateWindowExW(0, L"UserPane", L"", WS_CHILD | WS_VISIBLE, 0, 30, 100, 50, tabs,
                                   nullptr, toolkitInstance(), nullptr);
    }
    for (int selected : {1, 2, 0}) {
        SendMessageW(tabs, TCM_SETCURSEL, selected, 0);
        EXPECT_EQ(showSelectedTabPage(tabs), selected);
        for (int i = 0; i < 3; ++i)
            EXPECT_EQ(bool(IsWindowVisible(pages[i])), i == selected)
                << "page " << i << " with tab " << selected;
    }
}

TEST_F(ControlHost, PropertiesHoldNumbersAndOwnedTexts) {
    HWND w = make(L"Static", 0);
    HWND child = CreateWindowExW(0, L"Static", L"", WS_CHILD, 0, 0, 5, 5, w, nullptr,
                                 GetModuleHandleW(nullptr), nullptr);
    EXPECT_EQ(getProp(w, makeTag("ccmd")), 0) << "unset reads 0";
    setCommandTag(w, makeTag("prog"));
    int data = 0;
    setOwnerData(w, &data);
    EXPECT_EQ(getProp(w, kTagCommand), 0x70726F67);
    EXPECT_EQ(getProp(w, kTagOwnerData), reinterpret_cast<intptr_t>(&data));
    EXPECT_NE(GetPropW(w, L"QNDVccmd"), nullptr) << "the property name is QNDV and the tag";
    EXPECT_EQ(findControl(parent_, makeTag("prog")), w);

    char text[8];
    getStringProp(w, makeTag("data"), text, sizeof(text));
    EXPECT_STREQ(text, "");
    setStringProp(w, makeTag("data"), "first");
    setStringProp(w, makeTag("data"), "second value");
    getStringProp(w, makeTag("data"), text, sizeof(text));
    EXPECT_STREQ(text, "second ") << "cut to the buffer";
    EXPECT_NE(GetPropW(w, L"QNDSdata"), nullptr);

    setStringProp(w, makeTag("pref"), "p");
    setStringProp(child, makeTag("comb"), "c");
    setStringProp(child, makeTag("mine"), "not a description tag");
    freeStringProps(w);
    struct Case {
        HWND window;
        const wchar_t* name;
    } gone[] = {{w, L"QNDSdata"}, {w, L"QNDSpref"}, {child, L"QNDScomb"}, {child, L"QNDSmine"}};
    for (const Case& c : gone)
        EXPECT_EQ(GetPropW(c.window, c.name), nullptr);
    EXPECT_EQ(getProp(w, kTagCommand), 0x70726F67) << "value properties stay";
}

} // namespace
