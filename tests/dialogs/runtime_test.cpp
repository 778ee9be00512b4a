// The dialog runtime driven with real messages: command routing, default actions, keys that
// the replacement procedure hands over, Tab order, combo memory, radio groups, separators,
// owner-drawn lists, localised templates, the timer and the window handed back afterwards.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "dialog_test_support.h"
#include "dialogs/control_access.h"
#include "dialogs/dialog_runtime.h"
#include "dialogs/toolkit.h"
#include "dialogs/window_props.h"

namespace {

constexpr INT_PTR kStillOpen = 77;

// What the owner's procedures saw.
struct Owner {
    std::vector<int> calls; // control ids, in order
    bool okResult = false;
    int selfEdits = 0;
    HWND dialog = nullptr;
};

bool recordCommand(HWND control, HWND, void* data) {
    static_cast<Owner*>(data)->calls.push_back(controlId(control));
    return true;
}

bool okCommand(HWND control, HWND, void* data) {
    auto* owner = static_cast<Owner*>(data);
    owner->calls.push_back(controlId(control));
    return owner->okResult;
}

// Rewrites its own text: the change it causes must not come back.
bool rewritingEdit(HWND control, HWND, void* data) {
    auto* owner = static_cast<Owner*>(data);
    owner->calls.push_back(controlId(control));
    setControlText(control, "rewritten");
    ++owner->selfEdits;
    return true;
}

bool attachProcs(HWND dialog, void* data) {
    auto* owner = static_cast<Owner*>(data);
    owner->dialog = dialog;
    setCommandProc(dialog, IDOK, okCommand, owner);
    for (int id : {5, 6, 7, 8, 9, 13, 20})
        EXPECT_NE(setCommandProc(dialog, id, recordCommand, owner), nullptr) << id;
    EXPECT_EQ(setCommandProc(dialog, 4242, recordCommand, owner), nullptr);
    return true;
}

// Runs the "Routing" description; `act` drives it. A dialog that `act` left open ends with
// kStillOpen, so the result tells whether the action ended it.
INT_PTR runRouting(Owner& owner, const std::function<void(HWND)>& act) {
    return whileModal([&] { return runDescribedDialog("Routing", attachProcs, &owner); },
                      [&](HWND dialog) {
                          act(dialog);
                          if (IsWindowVisible(dialog)) EndDialog(dialog, kStillOpen);
                      });
}

HWND item(HWND dialog, int id) {
    return findControl(dialog, id);
}

TEST(Runtime, NotificationsReachTheOwnerByControlType) {
    struct Case {
        int id;
        int code;
        bool reaches;
    } cases[] = {
        {6, EN_CHANGE, true},        {6, EN_SETFOCUS, false},  {6, EN_UPDATE, false},
        {7, CBN_SELCHANGE, true},    {7, CBN_DROPDOWN, false}, {7, CBN_SELENDOK, false},
        {8, CBN_EDITCHANGE, true},   {8, CBN_DROPDOWN, true},  {5, BN_CLICKED, true},
        {5, BN_DOUBLECLICKED, true}, {9, BN_CLICKED, true},    {20, 0, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("control " + std::to_string(c.id) + " code " + std::to_string(c.code));
        Owner owner;
        INT_PTR code = runRouting(owner, [&](HWND dialog) {
            HWND control = item(dialog, c.id);
            SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(c.id, c.code),
                         reinterpret_cast<LPARAM>(control));
        });
        EXPECT_EQ(code, kStillOpen);
        EXPECT_EQ(owner.calls, c.reaches ? std::vector<int>{c.id} : std::vector<int>{});
    }
}

TEST(Runtime, ClicksTypingAndProgramTexts) {
    Owner owner;
    runRouting(owner, [&](HWND dialog) {
        SendMessageW(item(dialog, 5), BM_CLICK, 0, 0);
        EXPECT_EQ(owner.calls, std::vector<int>{5}) << "a click passes the pane to the dialog";

        owner.calls.clear();
        setControlText(item(dialog, 6), "set by the program");
        setControlValue(item(dialog, 6), 12);
        EXPECT_EQ(owner.calls, std::vector<int>{}) << "program-set texts do not reach the owner";

        SendMessageW(item(dialog, 6), WM_CHAR, 'x', 0);
        SendMessageW(item(dialog, 6), WM_CHAR, 'y', 0);
        EXPECT_EQ(owner.calls, (std::vector<int>{6, 6})) << "typing: once per change";

        owner.calls.clear();
        setCommandProc(dialog, 6, rewritingEdit, &owner);
        SendMessageW(item(dialog, 6), WM_CHAR, 'z', 0);
        EXPECT_EQ(owner.calls, std::vector<int>{6});
        EXPECT_EQ(owner.selfEdits, 1);
        EXPECT_EQ(windowText(item(dialog, 6)), "rewritten");
    });
}

TEST(Runtime, OkCancelAndTheKeysHandedOver) {
    enum Action {
        ClickOk,
        OkWithoutControl,
        EnterAtButton,
        EnterAtCheckBox,
        EscapeAtButton,
        EscapeAtList,
        ClickCancel,
        CloseBox
    };
    struct Case {
        const char* name;
        Action action;
        bool okResult;
        INT_PTR code;
        int okCalls;
    } cases[] = {
        {"OK handled by its procedure", ClickOk, true, kStillOpen, 1},
        {"OK left to the default", ClickOk, false, IDOK, 1},
        {"OK sent without a control", OkWithoutControl, false, IDOK, 1},
        {"Enter at a button, handled", EnterAtButton, true, kStillOpen, 1},
        {"Enter at a button", EnterAtButton, false, IDOK, 1},
        {"Enter at a check box", EnterAtCheckBox, false, IDOK, 1},
        {"Escape at a button", EscapeAtButton, false, IDCANCEL, 0},
        {"Escape at a list", EscapeAtList, false, IDCANCEL, 0},
        {"Cancel clicked", ClickCancel, false, IDCANCEL, 0},
        {"close box", CloseBox, false, IDCANCEL, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Owner owner;
        owner.okResult = c.okResult;
        INT_PTR code = runRouting(owner, [&](HWND dialog) {
            switch (c.action) {
            case ClickOk:
                SendMessageW(item(dialog, IDOK), BM_CLICK, 0, 0);
                break;
            case OkWithoutControl:
                SendMessageW(dialog, WM_COMMAND, IDOK, 0);
                break;
            case EnterAtButton:
                SendMessageW(item(dialog, 5), WM_CHAR, VK_RETURN, 0);
                break;
            case EnterAtCheckBox:
                SendMessageW(item(dialog, 9), WM_CHAR, VK_RETURN, 0);
                break;
            case EscapeAtButton:
                SendMessageW(item(dialog, 5), WM_CHAR, VK_ESCAPE, 0);
                break;
            case EscapeAtList:
                SendMessageW(item(dialog, 30), WM_CHAR, VK_ESCAPE, 0);
                break;
            case ClickCancel:
                SendMessageW(item(dialog, IDCANCEL), BM_CLICK, 0, 0);
                break;
            case CloseBox:
                SendMessageW(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
                break;
            }
        });
        EXPECT_EQ(code, c.code);
        int okCalls = 0;
        for (int id : owner.calls)
            okCalls += id == IDOK;
        EXPECT_EQ(okCalls, c.okCalls);
    }
}

TEST(Runtime, TabMovesThroughVisibleEnabledStopsAndWraps) {
    enum Setup { AllOn, DisabledAndHiddenPane };
    struct Case {
        const char* name;
        Setup setup;
        int from; // the control Tab is typed in
        bool shift;
        int to;
    } cases[] = {
        {"forward", AllOn, 6, false, 7},
        {"from the pop-up to the combo box", AllOn, 7, false, 8},
        {"into the pane", AllOn, 10, false, 12},
        {"wraps forward", AllOn, 13, false, 6},
        {"wraps backward", AllOn, 6, true, 13},
        {"backward", AllOn, 12, true, 10},
        {"from no stop forward", AllOn, 5, false, 6},
        {"from no stop backward", AllOn, 9, true, 13},
        {"skips disabled and hidden", DisabledAndHiddenPane, 8, false, 13},
        {"skips them backward", DisabledAndHiddenPane, 13, true, 8},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Owner owner;
        runRouting(owner, [&](HWND dialog) {
            if (c.setup == DisabledAndHiddenPane) {
                EnableWindow(item(dialog, 10), FALSE);
                ShowWindow(item(dialog, 11), SW_HIDE);
            }
            HWND from = item(dialog, c.from);
            SetFocus(from);
            if (c.shift) {
                pressShift(true);
                EXPECT_LT(GetAsyncKeyState(VK_SHIFT), 0) << "Shift is down";
            }
            // Buttons get the replacement procedure; other controls hand Tab over the same way.
            if (controlType(from) == kTypePushButton || controlType(from) == kTypeCheckBox)
                SendMessageW(from, WM_CHAR, VK_TAB, 0);
            else
                SendMessageW(dialog, WM_APP + 1, reinterpret_cast<WPARAM>(from), 0);
            if (c.shift) pressShift(false);
            // A combo box hands the focus to its edit field.
            HWND focus = GetFocus();
            if (focus && controlType(GetParent(focus)) == kTypeCombo) focus = GetParent(focus);
            EXPECT_EQ(focus ? GetDlgCtrlID(focus) : -1, c.to);
        });
    }
}

TEST(Runtime, TabFromTheComboEditAndTextSelection) {
    Owner owner;
    runRouting(owner, [&](HWND dialog) {
        HWND comboEdit = GetWindow(item(dialog, 8), GW_CHILD);
        ASSERT_EQ(className(comboEdit), "Edit");
        SendMessageW(dialog, WM_APP + 1, reinterpret_cast<WPARAM>(comboEdit), 0);
        EXPECT_EQ(GetFocus(), item(dialog, 10)) << "the combo's edit counts as the combo box";

        SendMessageW(dialog, WM_APP + 1, reinterpret_cast<WPARAM>(item(dialog, 5)), 0);
        EXPECT_EQ(GetFocus(), item(dialog, 6));
        DWORD from = 0, to = 0;
        SendMessageW(item(dialog, 6), EM_GETSEL, reinterpret_cast<WPARAM>(&from),
                     reinterpret_cast<LPARAM>(&to));
        EXPECT_EQ(from, 0u);
        EXPECT_EQ(to, 5u) << "the whole text \"hello\" is selected";

        // Typed Tab into a check box types nothing and moves on.
        SendMessageW(item(dialog, 9), WM_CHAR, VK_TAB, 0);
        EXPECT_EQ(windowText(item(dialog, 9)), "check");
        EXPECT_EQ(GetFocus(), item(dialog, 6));
    });
}

TEST(Runtime, EditableComboRemembersTheChosenItem) {
    Owner owner;
    runRouting(owner, [&](HWND dialog) {
        HWND combo = item(dialog, 8);
        // Dropping down before any choice leaves the typed text alone.
        SetWindowTextW(combo, L"typed");
        SendMessageW(combo, CB_SHOWDROPDOWN, TRUE, 0);
        SendMessageW(combo, CB_SHOWDROPDOWN, FALSE, 0);
        EXPECT_EQ(SendMessageW(combo, CB_GETCURSEL, 0, 0), CB_ERR);
        EXPECT_EQ(windowText(combo), "typed");

        SendMessageW(combo, CB_SETCURSEL, 1, 0);
        SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(8, CBN_SELENDOK),
                     reinterpret_cast<LPARAM>(combo));
        char memory[64] = "";
        getStringProp(combo, kTagComboMemory, memory, sizeof(memory));
        EXPECT_STREQ(memory, "beta");

        SetWindowTextW(combo, L"changed since");
        SendMessageW(combo, CB_SETCURSEL, WPARAM(-1), 0);
        SendMessageW(combo, CB_SHOWDROPDOWN, TRUE, 0);
        EXPECT_EQ(SendMessageW(combo, CB_GETCURSEL, 0, 0), 1) << "beta is selected again";
        SendMessageW(combo, CB_SHOWDROPDOWN, FALSE, 0);
    });
}

TEST(Runtime, RadioGroupChecksOneAndReportsAsItself) {
    Owner owner;
    runRouting(owner, [&](HWND dialog) {
        HWND group = item(dialog, 20);
        auto checks = [&] {
            std::string s;
            for (int id : {21, 22, 23})
                s += SendMessageW(item(dialog, id), BM_GETCHECK, 0, 0) == BST_CHECKED ? '1' : '0';
            return s;
        };
        SendMessageW(item(dialog, 21), BM_CLICK, 0, 0);
        SendMessageW(item(dialog, 23), BM_CLICK, 0, 0);
        EXPECT_EQ(checks(), "001");
        EXPECT_EQ(owner.calls, (std::vector<int>{20, 20})) << "one command per click, as the group";
        EXPECT_EQ(SendMessageW(group, WM_USER, 0, 0), 3);
        EXPECT_EQ(getControlValue(group), 3);

        struct Case {
            int position;
            const char* checks;
            int value;
        } cases[] = {{1, "100", 1}, {2, "010", 2}, {0, "000", 0}, {4, "000", 0}};
        for (const Case& c : cases) {
            setControlValue(group, c.position);
            EXPECT_EQ(checks(), c.checks) << "position " << c.position;
            EXPECT_EQ(getControlValue(group), c.value) << "position " << c.position;
        }
    });
}

bool isGrey(COLORREF c) {
    return c == RGB(128, 128, 128);
}

TEST(Runtime, SeparatorDrawsAlongItsLongerSide) {
    Owner owner;
    runRouting(owner, [&](HWND dialog) {
        RedrawWindow(dialog, nullptr, nullptr,
                     RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        struct Probe {
            int id;
            int x, y;
            bool grey;
        } probes[] = {
            {40, 0, 0, true}, {40, 150, 0, true}, {40, 299, 0, true}, {40, 150, 1, false},
            {41, 0, 0, true}, {41, 0, 50, true},  {41, 0, 99, true},  {41, 1, 50, false},
        };
        for (const Probe& p : probes) {
            HWND separator = item(dialog, p.id);
            HDC dc = GetDC(separator);
            COLORREF colour = GetPixel(dc, p.x, p.y);
            ReleaseDC(separator, dc);
            EXPECT_EQ(isGrey(colour), p.grey) << "separator " << p.id << " at (" << p.x << ", "
                                              << p.y << ") colour " << std::hex << colour;
        }
    });
}

struct Painted {
    std::vector<int> items;
    void* data = nullptr;
};

void recordPainter(HDC, HWND, int index, const RECT*, void* data) {
    static_cast<Painted*>(data)->items.push_back(index);
}

TEST(Runtime, ListItemsGoToThePainterAndSelectionIsInverted) {
    Owner owner;
    runRouting(owner, [&](HWND dialog) {
        HWND list = item(dialog, 30);
        Painted painted;
        setItemPainter(list, recordPainter, &painted);
        SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"first"));
        SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"second"));
        SendMessageW(list, LB_SETSEL, TRUE, 1);
        painted.items.clear();
        RedrawWindow(list, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        EXPECT_NE(std::find(painted.items.begin(), painted.items.end(), 0), painted.items.end());
        EXPECT_NE(std::find(painted.items.begin(), painted.items.end(), 1), painted.items.end());

        // The painter draws nothing: unselected items stay white, the selected one inverted.
        RECT first, second;
        SendMessageW(list, LB_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&first));
        SendMessageW(list, LB_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&second));
        HDC dc = GetDC(list);
        EXPECT_EQ(GetPixel(dc, first.right - 3, first.top + 1), RGB(255, 255, 255));
        EXPECT_EQ(GetPixel(dc, second.right - 3, second.top + 1), RGB(0, 0, 0));
        ReleaseDC(list, dc);

        char text[64] = "?";
        getControlText(list, text, sizeof(text));
        EXPECT_STREQ(text, "second");
    });
}

TEST(Runtime, DefaultPainterDrawsTheItemText) {
    Owner owner;
    runRouting(owner, [&](HWND dialog) {
        HWND list = item(dialog, 30);
        SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"WWWW"));
        SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L""));
        RedrawWindow(list, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        auto darkPixels = [&](int index) {
            RECT r;
            SendMessageW(list, LB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&r));
            HDC dc = GetDC(list);
            int dark = 0;
            for (int y = r.top; y < r.bottom; ++y)
                for (int x = r.left; x < r.left + 40; ++x)
                    dark += GetRValue(GetPixel(dc, x, y)) < 128;
            ReleaseDC(list, dc);
            return dark;
        };
        EXPECT_GT(darkPixels(0), 10) << "the text of the first item";
        EXPECT_EQ(darkPixels(1), 0) << "an empty item stays white";
    });
}

TEST(Runtime, LocalizeDialogResolvesKeysAndPopupItemsInPlace) {
    Owner owner;
    runRouting(owner, [&](HWND dialog) {
        HWND popup = item(dialog, 7);
        addListItem(popup, "lastFolder");
        setControlValue(popup, 3);
        setControlTextById(dialog, 5, "not a key");
        localizeDialog(dialog);
        char text[256] = "";
        getItemText(popup, 3, text);
        EXPECT_STREQ(text, "Use last folder");
        getItemText(popup, 1, text);
        EXPECT_STREQ(text, "All");
        EXPECT_EQ(getControlValue(popup), 3);
        EXPECT_EQ(windowText(item(dialog, 5)), "not a key");
    });
}

TEST(Runtime, TemplateTextsShowInTheInterfaceLanguage) {
    struct Case {
        int language;
        const char* title;
        const char* texts[6]; // ids 1 to 6
    } cases[] = {
        {0,
         "Kestrix - Preferences",
         {"OK", "Cancel", "Page(s):", "Use last folder", "Options", "noSuchKey"}},
        {3,
         "Kestrix - Voreinstellungen",
         {"OK", "Abbrechen", "Seite(n):", "Letzten Ordner verwenden", "Optionen", "noSuchKey"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("language " + std::to_string(c.language));
        useLanguage(c.language);
        int initCalls = 0;
        INT_PTR code = whileModal(
            [&] {
                return runDialog(
                    "KeysTemplate",
                    [](HWND, void* calls) {
                        ++*static_cast<int*>(calls);
                        return true;
                    },
                    &initCalls);
            },
            [&](HWND dialog) {
                EXPECT_EQ(windowText(dialog), c.title);
                for (int id = 1; id <= 6; ++id)
                    EXPECT_EQ(windowText(GetDlgItem(dialog, id)), c.texts[id - 1]) << "id " << id;
                EXPECT_EQ(controlType(GetDlgItem(dialog, 4)), kTypeCheckBox);
                SendMessageW(GetDlgItem(dialog, 4), BM_CLICK, 0, 0);
                EXPECT_EQ(getControlValueById(dialog, 4), 1);
                SendMessageW(GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
            });
        EXPECT_EQ(code, IDOK) << "the template's OK button ends it with 1";
        EXPECT_EQ(initCalls, 1);
    }
    useLanguage(0);
}

TEST(Runtime, MissingTemplateFailsWithoutCallingTheOwner) {
    int initCalls = 0;
    INT_PTR code = runDialog(
        "NoSuchTemplate",
        [](HWND, void* calls) {
            ++*static_cast<int*>(calls);
            return true;
        },
        &initCalls);
    EXPECT_EQ(code, -1);
    EXPECT_EQ(initCalls, 0);
}

struct Ticks {
    int count = 0;
    void* seenData = nullptr;
};

void countTick(HWND dialog, void* data) {
    auto* ticks = static_cast<Ticks*>(data);
    ticks->seenData = data;
    if (++ticks->count == 3) endDialog(dialog, 3);
}

TEST(Runtime, TimerCallsItsProcedureWithTheOwnerData) {
    Ticks ticks;
    INT_PTR code = whileModal(
        [&] {
            return runDescribedDialog(
                "Routing",
                [](HWND dialog, void*) {
                    setDialogTimer(dialog, countTick, 0.01);
                    return true;
                },
                &ticks);
        },
        [](HWND) {});
    EXPECT_EQ(code, 3);
    EXPECT_EQ(ticks.count, 3) << "the timer stops with the dialog";
    EXPECT_EQ(ticks.seenData, &ticks);
}

TEST(Runtime, HostWindowAndFocusAreHandedBack) {
    HWND host = testHostWindow();
    HWND field = CreateWindowExW(0, L"Edit", L"focused before", WS_CHILD | WS_VISIBLE, 5, 5, 200,
                                 20, host, nullptr, GetModuleHandleW(nullptr), nullptr);
    SetForegroundWindow(host);
    SetFocus(field);
    ASSERT_EQ(GetFocus(), field);
    bool hostEnabledInside = true;
    Owner owner;
    runRouting(owner, [&](HWND) { hostEnabledInside = IsWindowEnabled(host); });
    EXPECT_FALSE(hostEnabledInside);
    EXPECT_TRUE(IsWindowEnabled(host));
    EXPECT_EQ(GetFocus(), field);
    DestroyWindow(field);
}

} // namespace
