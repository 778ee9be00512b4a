#include "foundation/desktop.h"

#include "wide_path.h"

#include <windows.h>
#include <shellapi.h>

bool openDocument(const char* document, const char* application) {
    std::wstring wideDocument, wideApplication;
    if (!widePath(document, wideDocument)) return false;
    HINSTANCE result;
    if (application && *application) {
        if (!widePath(application, wideApplication)) return false;
        // Quoted, so that a path with blanks reaches the application as one argument.
        std::wstring parameter = L"\"" + wideDocument + L"\"";
        result = ShellExecuteW(nullptr, nullptr, wideApplication.c_str(), parameter.c_str(),
                               nullptr, SW_SHOWNORMAL);
    } else {
        result =
            ShellExecuteW(nullptr, nullptr, wideDocument.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
    }
    return reinterpret_cast<INT_PTR>(result) > 32;
}

void centreWindow(void* window) {
    HWND handle = static_cast<HWND>(window);
    RECT frame;
    if (!handle || !GetWindowRect(handle, &frame)) return;
    int width = frame.right - frame.left;
    int height = frame.bottom - frame.top;
    int x = (GetSystemMetrics(SM_CXSCREEN) - width) / 2;
    int y = (GetSystemMetrics(SM_CYSCREEN) - height) / 4;
    SetWindowPos(handle, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void beep() {
    MessageBeep(MB_OK);
}
