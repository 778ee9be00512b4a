#include "dialogs/message_box.h"

#include <windows.h>

#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <string>

#include "dialogs/control_access.h"
#include "dialogs/toolkit.h"
#include "foundation/desktop.h"
#include "foundation/encoding.h"
#include "foundation/localize.h"

namespace {

constexpr size_t kUnformattedLimit = 200;
constexpr size_t kFormattedSize = 2048;
constexpr size_t kMessageUnits = 1023;

WideText gMainText;
WideText gDetailText;

struct BoxSetup {
    const WideText* main;
    const WideText* detail;
    const char* buttonKeys[2];
};

// Cut before a UTF-8 continuation byte would be split.
size_t characterBoundary(const char* text, size_t at) {
    while (at > 0 && (uint8_t(text[at]) & 0xC0) == 0x80)
        --at;
    return at;
}

WideText makeText(const char* format, va_list args) {
    if (!format) return WideText();
    size_t length = strlen(format);
    if (length >= kUnformattedLimit) {
        // Too long to be a key or a format we trust: shown as it is, cut.
        std::string cut(format, characterBoundary(format, kUnformattedLimit));
        cut += "\xE2\x80\xA6";
        return utf8ToWide(cut.c_str());
    }
    char resolved[kLocalizedSize];
    localize(format, resolved, sizeof(resolved));
    char text[kFormattedSize];
    vsnprintf(text, sizeof(text), resolved, args);
    return utf8ToWide(text);
}

void moveDown(HWND dialog, HWND control, int extra) {
    RECT r;
    GetWindowRect(control, &r);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
    SetWindowPos(control, nullptr, r.left, r.top + extra, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void growBy(HWND window, int extra) {
    RECT r;
    GetWindowRect(window, &r);
    SetWindowPos(window, nullptr, 0, 0, r.right - r.left, r.bottom - r.top + extra,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// A word wider than the text field (a long file name) gets line breaks where it reaches the
// edge: the system's word break only moves whole words, so the rest of it, the extension
// included, would be clipped.
WideText breakLongWords(HDC dc, const WideText& message, int width) {
    WideText out;
    size_t at = 0;
    while (at < message.size()) {
        size_t end = message.find_first_of(KX_WIDE(" \t\r\n"), at);
        if (end == at) {
            out += message[at++];
            continue;
        }
        if (end == WideText::npos) end = message.size();
        WideText word = message.substr(at, end - at);
        for (;;) {
            INT fit = 0;
            SIZE size;
            GetTextExtentExPointW(dc, word.c_str(), int(word.size()), width, &fit, nullptr, &size);
            if (fit >= int(word.size())) break;
            fit = fit > 0 ? fit : 1;
            out += word.substr(0, size_t(fit));
            out += KX_WIDE("\r\n");
            word.erase(0, size_t(fit));
        }
        out += word;
        at = end;
    }
    return out;
}

// Breaks the message's long words for the field and answers how much taller than the field
// the whole text is.
int fitText(HWND text, WideText& message) {
    RECT client;
    GetClientRect(text, &client);
    RECT needed = client;
    HDC dc = GetDC(text);
    HGDIOBJ oldFont =
        SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(text, WM_GETFONT, 0, 0)));
    message = breakLongWords(dc, message, client.right - client.left);
    DrawTextW(dc, message.c_str(), int(message.size()), &needed, DT_CALCRECT | DT_WORDBREAK);
    SelectObject(dc, oldFont);
    ReleaseDC(text, dc);
    return needed.bottom - client.bottom;
}

void initBox(HWND dialog, const BoxSetup* setup) {
    setControlText(dialog, "Kestrix");

    WideText message = *setup->main;
    if (!setup->detail->empty()) {
        message += KX_WIDE("\r\r");
        message += *setup->detail;
    }
    if (message.size() > kMessageUnits) message.resize(kMessageUnits);

    HWND text = GetDlgItem(dialog, kMessageTextId);
    int extra = fitText(text, message);
    setWindowTextQuietly(text, message.c_str());

    growBy(dialog, extra);
    centreWindow(dialog);
    growBy(text, extra);

    for (int i = 0; i < 2; ++i) {
        HWND button = GetDlgItem(dialog, i + 1);
        const char* key = setup->buttonKeys[i];
        if (!key) {
            ShowWindow(button, SW_HIDE);
            continue;
        }
        char caption[kLocalizedSize];
        localize(key, caption, sizeof(caption));
        moveDown(dialog, button, extra);
        setControlText(button, caption);
    }
}

INT_PTR CALLBACK messageBoxProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        initBox(dialog, reinterpret_cast<const BoxSetup*>(lParam));
        return FALSE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
            EndDialog(dialog, LOWORD(wParam));
            return TRUE;
        }
        return FALSE;
    case WM_CLOSE:
        EndDialog(dialog, IDCANCEL);
        return TRUE;
    }
    return FALSE;
}

int16_t showBox(const char* yesKey, const char* noKey) {
    beep();
    HWND focus = GetFocus();
    HWND host = hostMainWindow();
    bool hostEnabled = host && IsWindowEnabled(host);
    if (host) EnableWindow(host, FALSE);

    BoxSetup setup{&gMainText, &gDetailText, {yesKey, noKey}};
    INT_PTR code = DialogBoxParamW(toolkitInstance(), L"MsgBox", GetActiveWindow(), messageBoxProc,
                                   reinterpret_cast<LPARAM>(&setup));

    if (host) EnableWindow(host, hostEnabled ? TRUE : FALSE);
    if (focus && IsWindow(focus)) focusControl(focus);
    gMainText.clear();
    gDetailText.clear();
    return int16_t(code);
}

} // namespace

void showMessage(const char* format, ...) {
    va_list args;
    va_start(args, format);
    gMainText = makeText(format, args);
    va_end(args);
    showBox("ok", nullptr);
}

Answer askYesNo(const char* format, ...) {
    va_list args;
    va_start(args, format);
    gMainText = makeText(format, args);
    va_end(args);
    return showBox("yes", "no") == int16_t(Answer::Yes) ? Answer::Yes : Answer::No;
}

void setMessageDetail(const char* format, ...) {
    va_list args;
    va_start(args, format);
    gDetailText = makeText(format, args);
    va_end(args);
}
