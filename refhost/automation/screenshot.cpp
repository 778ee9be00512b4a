#include "automation/screenshot.h"

#include "automation/png_writer.h"

#include <cstdio>
#include <vector>

namespace {

// Copies the window's client area into a top-down 32-bit DIB: from the screen first (what the
// user sees, children included), through WM_PRINT when the screen cannot be read. The frame is
// left out: without a window manager nobody draws it.
bool captureWindow(HWND window, bool withFrame, int width, int height, std::vector<uint8_t>& bgra) {
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    bool ok = false;
    if (bitmap && bits) {
        HGDIOBJ old = SelectObject(memory, bitmap);
        POINT origin = {0, 0};
        RECT frame;
        if (withFrame && GetWindowRect(window, &frame))
            origin = {frame.left, frame.top};
        else
            ClientToScreen(window, &origin);
        ok = BitBlt(memory, 0, 0, width, height, screen, origin.x, origin.y, SRCCOPY) != 0;
        if (!ok) ok = PrintWindow(window, memory, withFrame ? 0 : PW_CLIENTONLY) != 0;
        GdiFlush();
        if (ok) {
            auto* p = static_cast<uint8_t*>(bits);
            bgra.assign(p, p + size_t(width) * size_t(height) * 4);
        }
        SelectObject(memory, old);
    }
    if (bitmap) DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return ok;
}

} // namespace

std::string saveWindowPng(HWND window, const std::wstring& path, bool withFrame) {
    if (!window || !IsWindow(window)) return "no window to capture";
    RECT rect;
    if (withFrame)
        GetWindowRect(window, &rect);
    else
        GetClientRect(window, &rect);
    int width = rect.right - rect.left, height = rect.bottom - rect.top;
    if (width <= 0 || height <= 0) return "the window has no area";
    std::vector<uint8_t> bgra;
    if (!captureWindow(window, withFrame, width, height, bgra))
        return "the window cannot be captured";
    std::vector<uint8_t> rgb(size_t(width) * size_t(height) * 3);
    for (size_t i = 0, n = size_t(width) * size_t(height); i < n; ++i) {
        rgb[i * 3] = bgra[i * 4 + 2];
        rgb[i * 3 + 1] = bgra[i * 4 + 1];
        rgb[i * 3 + 2] = bgra[i * 4];
    }
    std::vector<uint8_t> png = encodePng(width, height, rgb);
    FILE* file = _wfopen(path.c_str(), L"wb");
    if (!file) return "cannot write the file";
    bool written = fwrite(png.data(), 1, png.size(), file) == png.size();
    written = fclose(file) == 0 && written;
    if (!written) {
        _wremove(path.c_str());
        return "cannot write the file";
    }
    return {};
}
