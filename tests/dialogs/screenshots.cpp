// Shows the message box and the progress dialog in English and German and saves each as a
// BMP picture of the window (tools/screenshots turns them into the PNGs of docs/).
// Usage: dialogs_screenshots OUTPUT_FOLDER
#include <windows.h>

#include <commctrl.h>

#include <cstdio>
#include <string>
#include <vector>

#include "dialogs/control_access.h"
#include "dialogs/message_box.h"
#include "dialogs/progress_dialog.h"
#include "dialogs/toolkit.h"
#include "foundation/array.h"
#include "foundation/localize.h"
#include "foundation/module.h"

namespace {

std::wstring gFolder;
std::wstring gPicture; // name of the picture the running dialog is to be saved as
bool gFailed = false;

void pump(DWORD ms) {
    DWORD until = GetTickCount() + ms;
    do {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        Sleep(5);
    } while (int(GetTickCount() - until) < 0);
}

bool saveWindow(HWND window, const std::wstring& name) {
    RedrawWindow(window, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW | RDW_ALLCHILDREN);
    pump(150);
    RECT r;
    GetWindowRect(window, &r);
    int w = r.right - r.left, h = r.bottom - r.top;

    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = w;
    info.bmiHeader.biHeight = h; // bottom-up, as BMP files store it
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HDC source = GetWindowDC(window);
    HDC memory = CreateCompatibleDC(source);
    HBITMAP bitmap = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BOOL copied = BitBlt(memory, 0, 0, w, h, source, 0, 0, SRCCOPY);
    GdiFlush();
    SelectObject(memory, old);
    ReleaseDC(window, source);
    DeleteDC(memory);

    // GDI leaves the fourth byte undefined; pictures viewers read it as transparency.
    auto* pixels = static_cast<uint8_t*>(bits);
    for (size_t i = 3; bits && copied && i < size_t(w) * size_t(h) * 4; i += 4)
        pixels[i] = 0xFF;

    bool written = false;
    std::wstring path = gFolder + L"\\" + name + L".bmp";
    FILE* file = copied ? _wfopen(path.c_str(), L"wb") : nullptr;
    if (file) {
        BITMAPFILEHEADER header{};
        DWORD size = DWORD(w) * DWORD(h) * 4;
        header.bfType = 0x4D42;
        header.bfOffBits = sizeof(header) + sizeof(info.bmiHeader);
        header.bfSize = header.bfOffBits + size;
        written = fwrite(&header, sizeof(header), 1, file) == 1 &&
                  fwrite(&info.bmiHeader, sizeof(info.bmiHeader), 1, file) == 1 &&
                  fwrite(bits, size, 1, file) == 1;
        written = fclose(file) == 0 && written;
    }
    DeleteObject(bitmap);
    if (!written) {
        fwprintf(stderr, L"could not save %ls\n", path.c_str());
        gFailed = true;
    }
    return written;
}

HWND openDialog() {
    HWND found = nullptr;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND w, LPARAM out) {
            wchar_t name[16] = L"";
            GetClassNameW(w, name, 16);
            if (wcscmp(name, L"#32770") == 0 && IsWindowVisible(w) && IsWindowEnabled(w)) {
                *reinterpret_cast<HWND*>(out) = w;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
}

void CALLBACK saveAndAnswer(HWND, UINT, UINT_PTR timer, DWORD) {
    HWND box = openDialog();
    if (!box) return;
    KillTimer(nullptr, timer);
    saveWindow(box, gPicture);
    SendMessageW(GetDlgItem(box, IDOK), BM_CLICK, 0, 0);
}

// The line the export run shows for the page it writes.
void showPageLine(HWND dialog, int32_t page) {
    char text[kLocalizedSize];
    localize("kProgress", text, sizeof text);
    std::string line = text;
    size_t at = line.find("%s");
    if (at != std::string::npos) line.replace(at, 2, std::to_string(page));
    setProgressLine(dialog, line.c_str());
}

bool pictureStep(HWND dialog, void* current, void*, void*) {
    if (current) showPageLine(dialog, *static_cast<int32_t*>(current));
    if (!current || *static_cast<int32_t*>(current) != 3) return true;
    saveWindow(dialog, gPicture);
    return true;
}

void takePictures(int language, const wchar_t* suffix) {
    setInterfaceLanguage(int16_t(language));
    loadStringTable();

    gPicture = std::wstring(L"message_box_") + suffix;
    SetTimer(nullptr, 0, 50, saveAndAnswer);
    // The overwrite question names the file only: a long name without blanks must still show
    // its extension.
    setMessageDetail("%s", "Spring_Catalog_2027_Northern_Region_Retail_Partners_Edition_"
                           "Final_Proof_Corrected_Version_012.pdf");
    (void)askYesNo("overwriteWarning");

    gPicture = std::wstring(L"progress_") + suffix;
    CMyArray pages{};
    create(&pages, 8, sizeof(int32_t));
    for (int32_t page = 1; page <= 8; ++page)
        append(&pages, &page);
    (void)runProgress("saveAsPDF", pictureStep, &pages, nullptr);
    release(&pages);
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 2) {
        fwprintf(stderr, L"usage: dialogs_screenshots OUTPUT_FOLDER\n");
        return 2;
    }
    gFolder = argv[1];
    setResourceModule(GetModuleHandleW(nullptr));
    initDialogs();
    HWND host = CreateWindowExW(0, L"Static", L"", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr,
                                nullptr, GetModuleHandleW(nullptr), nullptr);
    setHostMainWindow(host);
    takePictures(0, L"en");
    takePictures(3, L"de");
    DestroyWindow(host);
    return gFailed ? 1 : 0;
}
