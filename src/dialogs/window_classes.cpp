#include "dialogs/window_classes.h"

#include <commctrl.h>

#include "dialogs/toolkit.h"
#include "dialogs/window_props.h"

namespace {

LRESULT CALLBACK replacementProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    WNDPROC previous = reinterpret_cast<WNDPROC>(getProp(window, kTagWindowProc));
    switch (message) {
    case WM_CHAR:
        if (wParam == VK_TAB) {
            SendMessageW(topDialog(window), kMsgTabTyped, reinterpret_cast<WPARAM>(window), 0);
            return 0;
        }
        if (wParam == VK_RETURN) {
            wchar_t className[16] = L"";
            GetClassNameW(window, className, 16);
            bool wantsReturn = lstrcmpiW(className, L"Edit") == 0 &&
                               (GetWindowLongW(window, GWL_STYLE) & ES_WANTRETURN);
            if (!wantsReturn) return SendMessageW(topDialog(window), WM_COMMAND, IDOK, 0);
        }
        if (wParam == VK_ESCAPE) return SendMessageW(topDialog(window), WM_CLOSE, 0, 0);
        break;
    case WM_COMMAND:
        return SendMessageW(topDialog(window), WM_COMMAND, wParam, lParam);
    }
    if (!previous) return DefWindowProcW(window, message, wParam, lParam);
    return CallWindowProcW(previous, window, message, wParam, lParam);
}

LRESULT CALLBACK separatorProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != WM_PAINT) return DefWindowProcW(window, message, wParam, lParam);
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    RECT client;
    GetClientRect(window, &client);
    HPEN pen = CreatePen(PS_SOLID, 1, RGB(128, 128, 128));
    HGDIOBJ oldPen = SelectObject(dc, pen);
    MoveToEx(dc, 0, 0, nullptr);
    if (client.right > client.bottom)
        LineTo(dc, client.right, 0);
    else
        LineTo(dc, 0, client.bottom);
    SelectObject(dc, oldPen);
    DeleteObject(pen);
    EndPaint(window, &paint);
    return 0;
}

LRESULT CALLBACK userPaneProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_SETFOCUS:
        return SendMessageW(topDialog(window), message, wParam, lParam);
    case WM_DRAWITEM:
    case WM_COMMAND:
        SendMessageW(topDialog(window), message, wParam, lParam);
        return 0;
    case WM_NOTIFY:
        if (reinterpret_cast<NMHDR*>(lParam)->code == UINT(TCN_SELCHANGE)) {
            SendMessageW(topDialog(window), message, wParam, lParam);
            return 0;
        }
        break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

LRESULT CALLBACK radioGroupProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_COMMAND: {
        HWND sender = reinterpret_cast<HWND>(lParam);
        for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
            SendMessageW(child, BM_SETCHECK, child == sender ? BST_CHECKED : BST_UNCHECKED, 0);
        WPARAM ownCommand = MAKEWPARAM(WORD(GetDlgCtrlID(window)), 0);
        SendMessageW(topDialog(window), WM_COMMAND, ownCommand, reinterpret_cast<LPARAM>(window));
        return 0;
    }
    case kMsgRadioGetSelection: {
        int position = 1;
        for (HWND child = GetWindow(window, GW_CHILD); child;
             child = GetWindow(child, GW_HWNDNEXT), ++position) {
            if (SendMessageW(child, BM_GETCHECK, 0, 0) == BST_CHECKED) return position;
        }
        return 0;
    }
    case kMsgRadioSetSelection: {
        WPARAM position = 1;
        for (HWND child = GetWindow(window, GW_CHILD); child;
             child = GetWindow(child, GW_HWNDNEXT), ++position)
            SendMessageW(child, BM_SETCHECK, position == wParam ? BST_CHECKED : BST_UNCHECKED, 0);
        return 0;
    }
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

void registerClass(HINSTANCE instance, const wchar_t* name, WNDPROC proc) {
    WNDCLASSW wc{};
    wc.style = CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = proc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    wc.lpszClassName = name;
    RegisterClassW(&wc);
}

} // namespace

void registerToolkitClasses(HINSTANCE instance) {
    registerClass(instance, L"Separator", separatorProc);
    registerClass(instance, L"UserPane", userPaneProc);
    registerClass(instance, L"RadioGroup", radioGroupProc);
}

void installReplacementProc(HWND control) {
    if (!control || getProp(control, kTagWindowProc)) return;
    LONG_PTR previous = GetWindowLongPtrW(control, GWLP_WNDPROC);
    setProp(control, kTagWindowProc, previous);
    SetWindowLongPtrW(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(replacementProc));
}
