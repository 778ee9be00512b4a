#include "dialog_test_support.h"

#include <gtest/gtest.h>

#include <vector>

#include "dialogs/toolkit.h"
#include "foundation/encoding.h"
#include "foundation/localize.h"
#include "foundation/module.h"

namespace {

HWND gHost = nullptr;
std::function<void(HWND)> gScript;
UINT_PTR gScriptTimer = 0;
UINT_PTR gWatchdog = 0;

BOOL CALLBACK collectDialog(HWND window, LPARAM context) {
    wchar_t name[16] = L"";
    GetClassNameW(window, name, 16);
    if (wcscmp(name, L"#32770") == 0 && IsWindowVisible(window) && IsWindowEnabled(window))
        reinterpret_cast<std::vector<HWND>*>(context)->push_back(window);
    return TRUE;
}

void CALLBACK runScript(HWND, UINT, UINT_PTR, DWORD) {
    HWND dialog = activeTestDialog();
    if (!dialog) return;
    KillTimer(nullptr, gScriptTimer);
    gScriptTimer = 0;
    auto script = std::move(gScript);
    gScript = nullptr;
    if (script) script(dialog);
}

void CALLBACK endStuckDialog(HWND, UINT, UINT_PTR, DWORD) {
    if (HWND dialog = activeTestDialog()) {
        ADD_FAILURE() << "a dialog was still open after the time limit";
        EndDialog(dialog, kTimedOut);
    }
}

class ToolkitEnvironment : public testing::Environment {
  public:
    void SetUp() override {
        setResourceModule(GetModuleHandleW(nullptr));
        initDialogs();
        useLanguage(0);
        setHostMainWindow(testHostWindow());
    }
};

testing::Environment* const gEnvironment =
    testing::AddGlobalTestEnvironment(new ToolkitEnvironment);

} // namespace

void useLanguage(int hostLanguage) {
    setInterfaceLanguage(int16_t(hostLanguage));
    ASSERT_EQ(loadStringTable(), 0) << "the string table of language " << hostLanguage;
}

HWND testHostWindow() {
    if (!gHost) {
        gHost = CreateWindowExW(0, L"Static", L"host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 50, 50,
                                500, 300, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
        SetForegroundWindow(gHost);
        pumpMessages(20);
    }
    return gHost;
}

HWND activeTestDialog() {
    std::vector<HWND> dialogs;
    EnumThreadWindows(GetCurrentThreadId(), collectDialog, reinterpret_cast<LPARAM>(&dialogs));
    // Enumeration runs from the top of the Z order: a nested box comes first.
    return dialogs.empty() ? nullptr : dialogs.front();
}

INT_PTR whileModal(const std::function<INT_PTR()>& modal, const std::function<void(HWND)>& script,
                   UINT timeoutMs) {
    gScript = script;
    gScriptTimer = SetTimer(nullptr, 0, 10, runScript);
    gWatchdog = SetTimer(nullptr, 0, timeoutMs, endStuckDialog);
    INT_PTR result = modal();
    if (gScriptTimer) KillTimer(nullptr, gScriptTimer);
    KillTimer(nullptr, gWatchdog);
    gScriptTimer = gWatchdog = 0;
    gScript = nullptr;
    return result;
}

void pumpMessages(UINT ms) {
    DWORD until = GetTickCount() + ms;
    do {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        Sleep(1);
    } while (int(GetTickCount() - until) < 0);
}

std::string windowText(HWND window) {
    wchar_t text[2048] = L"";
    GetWindowTextW(window, text, 2048);
    return wideToUtf8(text);
}

std::string className(HWND window) {
    wchar_t text[64] = L"";
    GetClassNameW(window, text, 64);
    return wideToUtf8(text);
}

RECT rectInParent(HWND window) {
    RECT r;
    GetWindowRect(window, &r);
    HWND parent = GetParent(window);
    if (parent && (GetWindowLongW(window, GWL_STYLE) & WS_CHILD))
        MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

std::string describeRect(const RECT& r) {
    char text[96];
    snprintf(text, sizeof(text), "(%ld, %ld, %ld x %ld)", long(r.left), long(r.top),
             long(r.right - r.left), long(r.bottom - r.top));
    return text;
}

void pressShift(bool down) {
    // Input goes to the foreground thread; Wine also caches the asynchronous key state for up
    // to 50 ms, so wait until the state shows.
    if (HWND dialog = activeTestDialog()) SetForegroundWindow(dialog);
    for (int attempt = 0; attempt < 5; ++attempt) {
        INPUT input{};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = VK_SHIFT;
        input.ki.dwFlags = down ? 0 : KEYEVENTF_KEYUP;
        SendInput(1, &input, sizeof(input));
        pumpMessages(80);
        if ((GetAsyncKeyState(VK_SHIFT) < 0) == down) return;
    }
}
