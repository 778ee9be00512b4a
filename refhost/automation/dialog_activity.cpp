#include "automation/dialog_activity.h"

#include <commctrl.h>

#include <cwchar>
#include <vector>

namespace {

// Longer than any answer of an idle thread, short enough to look again soon.
const UINT kAnswerMillis = 250;
const ULONGLONG kLookMillis = 250;

struct Collected {
    HWND skip;
    std::vector<HWND> windows;
};

BOOL CALLBACK collect(HWND window, LPARAM data) {
    auto* list = reinterpret_cast<Collected*>(data);
    if (window != list->skip && IsWindowVisible(window)) list->windows.push_back(window);
    return TRUE;
}

// Reads the text the window keeps itself: no message to a thread that may be busy.
std::wstring storedText(HWND window) {
    wchar_t text[512] = {};
    InternalGetWindowText(window, text, 512);
    return text;
}

bool answers(HWND window, UINT msg, LRESULT& result) {
    DWORD_PTR answer = 0;
    bool ok = SendMessageTimeoutW(window, msg, 0, 0, SMTO_NORMAL, kAnswerMillis, &answer) != 0;
    result = LRESULT(answer);
    return ok;
}

} // namespace

std::wstring dialogActivity(const DialogScope& scope, bool& busy) {
    LRESULT ignored = 0;
    busy = !answers(scope.mainWindow, WM_NULL, ignored);
    Collected tops{scope.mainWindow, {}};
    EnumThreadWindows(scope.uiThread, collect, LPARAM(&tops));
    std::wstring state;
    for (HWND top : tops.windows) {
        state += std::to_wstring(reinterpret_cast<uintptr_t>(top)) +
                 (IsWindowEnabled(top) ? L"+" : L"-") + storedText(top) + L"\n";
        Collected children{nullptr, {}};
        EnumChildWindows(top, collect, LPARAM(&children));
        for (HWND child : children.windows) {
            state += L"\t" + std::to_wstring(GetDlgCtrlID(child)) + L" " + storedText(child);
            if (!busy && _wcsicmp(windowClass(child).c_str(), PROGRESS_CLASSW) == 0) {
                LRESULT position = 0;
                if (answers(child, PBM_GETPOS, position))
                    state += L" @" + std::to_wstring(position);
                else
                    busy = true;
            }
            state += L"\n";
        }
    }
    return state;
}

CMyStillClock::CMyStillClock(const DialogScope& scope) : scope_(scope) {
    restart();
}

void CMyStillClock::restart() {
    last_.clear();
    since_ = lookedAt_ = GetTickCount64();
}

double CMyStillClock::stillSeconds() {
    ULONGLONG now = GetTickCount64();
    if (now - lookedAt_ >= kLookMillis) {
        lookedAt_ = now;
        bool busy = false;
        std::wstring state = dialogActivity(scope_, busy);
        if (busy || state != last_) since_ = now;
        last_ = std::move(state);
    }
    return double(now - since_) / 1000.0;
}
