#include "dialogs/toolkit.h"

#include <commctrl.h>

#include <cstring>

#include "dialogs/window_classes.h"
#include "dialogs/window_props.h"
#include "foundation/encoding.h"
#include "foundation/localize.h"
#include "foundation/module.h"

namespace {

float gScale = 1.0f;
HFONT gFont = nullptr;
HWND gHostMainWindow = nullptr;
int gGroupX = 0;
int gGroupY = 0;

// 1 / 110 dots per inch, in inches per millimetre.
constexpr float kUnitsPerMillimetre = 0.2309091f;

HWND findInChildren(HWND parent, intptr_t key) {
    for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (HWND found = findControl(child, key)) return found;
    }
    return nullptr;
}

} // namespace

float scaleForScreen(int pixelsAcross, int millimetresAcross) {
    if (pixelsAcross <= 0 || millimetresAcross <= 0) return 1.0f;
    float scale = float(pixelsAcross) / float(millimetresAcross) * kUnitsPerMillimetre;
    return scale < 1.0f ? 1.0f : scale;
}

int scaleUnitsAt(int units, float scale) {
    float product = float(units) * scale;
    return int(double(product) + 0.5);
}

int toolkitFontHeight(float scale) {
    return int(14.0f * scale);
}

void initDialogs() {
    HDC screen = GetDC(nullptr);
    gScale = scaleForScreen(GetDeviceCaps(screen, HORZRES), GetDeviceCaps(screen, HORZSIZE));
    ReleaseDC(nullptr, screen);

    if (!gFont) {
        LOGFONTW font{};
        font.lfHeight = toolkitFontHeight(gScale);
        font.lfWeight = FW_NORMAL;
        wcscpy(font.lfFaceName, L"MS Shell Dlg");
        gFont = CreateFontIndirectW(&font);
    }

    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_PROGRESS_CLASS | ICC_TAB_CLASSES};
    InitCommonControlsEx(&controls);
    registerToolkitClasses(toolkitInstance());
}

float scaleFactor() {
    return gScale;
}
int scaleUnits(int units) {
    return scaleUnitsAt(units, gScale);
}
HFONT toolkitFont() {
    return gFont;
}

HINSTANCE toolkitInstance() {
    HINSTANCE module = static_cast<HINSTANCE>(resourceModule());
    return module ? module : GetModuleHandleW(nullptr);
}

void setHostMainWindow(HWND window) {
    gHostMainWindow = window;
}
HWND hostMainWindow() {
    return gHostMainWindow;
}

void setGroupOrigin(int x, int y) {
    gGroupX = x;
    gGroupY = y;
}

HWND createControl(DWORD exStyle, const char* className, const char* text, DWORD style, int x,
                   int y, int w, int h, HWND parent, int id, void* createParam) {
    WideText wideClass = utf8ToWide(className ? className : "");

    // Labels ending in a colon share the entry of the bare key.
    char label[kLocalizedSize] = "";
    const char* source = text ? text : "";
    size_t length = strlen(source);
    if (length > 0 && length < sizeof(label) && source[length - 1] == ':') {
        char key[kLocalizedSize];
        memcpy(key, source, length - 1);
        key[length - 1] = 0;
        localize(key, label, sizeof(label) - 1);
        strcat(label, ":");
    } else {
        localize(source, label, sizeof(label));
    }
    WideText wideText = utf8ToWide(label);

    return CreateWindowExW(exStyle, wideClass.c_str(), wideText.c_str(), style,
                           scaleUnits(gGroupX + x), scaleUnits(gGroupY + y), scaleUnits(w),
                           scaleUnits(h), parent, reinterpret_cast<HMENU>(intptr_t(id)),
                           toolkitInstance(), createParam);
}

HWND findControl(HWND root, intptr_t key) {
    if (!root) return nullptr;
    if (GetDlgCtrlID(root) == key || getProp(root, kTagCommand) == key) return root;
    return findInChildren(root, key);
}

HWND topDialog(HWND window) {
    for (HWND w = window; w; w = GetParent(w)) {
        if (!(GetWindowLongW(w, GWL_STYLE) & WS_CHILD)) return w;
    }
    return nullptr;
}
