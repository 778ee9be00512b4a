#include "dialogs/window_props.h"

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

const wchar_t kValuePrefix[] = L"QNDV";
const wchar_t kStringPrefix[] = L"QNDS";

struct PropName {
    wchar_t text[9];
};

PropName propName(const wchar_t* prefix, DialogTag tag) {
    PropName name{};
    for (int i = 0; i < 4; ++i) {
        name.text[i] = prefix[i];
        name.text[4 + i] = wchar_t((tag >> (24 - 8 * i)) & 0xFF);
    }
    name.text[8] = 0;
    return name;
}

void removeStringProp(HWND window, const wchar_t* name) {
    if (void* old = RemovePropW(window, name)) free(old);
}

BOOL CALLBACK collectStringProp(HWND, LPWSTR name, HANDLE, ULONG_PTR context) {
    // Atom-only names carry no text and are never ours.
    if (IS_INTRESOURCE(name)) return TRUE;
    if (wcsncmp(name, kStringPrefix, 4) == 0)
        reinterpret_cast<std::vector<std::wstring>*>(context)->emplace_back(name);
    return TRUE;
}

void freeOwnStringProps(HWND window) {
    // Properties may only be removed outside the enumeration.
    std::vector<std::wstring> names;
    EnumPropsExW(window, collectStringProp, reinterpret_cast<LPARAM>(&names));
    for (const std::wstring& name : names)
        removeStringProp(window, name.c_str());
}

BOOL CALLBACK freeChildStringProps(HWND child, LPARAM) {
    freeOwnStringProps(child);
    return TRUE;
}

} // namespace

DialogTag tagFromText(const char* text) {
    DialogTag tag = 0;
    for (int i = 0; i < 4; ++i) {
        uint8_t c = text ? uint8_t(text[i]) : 0;
        tag |= DialogTag(c) << (24 - 8 * i);
        if (c == 0) break;
    }
    return tag;
}

void setProp(HWND window, DialogTag tag, intptr_t value) {
    if (!window) return;
    PropName name = propName(kValuePrefix, tag);
    if (value == 0)
        RemovePropW(window, name.text);
    else
        SetPropW(window, name.text, reinterpret_cast<HANDLE>(value));
}

intptr_t getProp(HWND window, DialogTag tag) {
    if (!window) return 0;
    return reinterpret_cast<intptr_t>(GetPropW(window, propName(kValuePrefix, tag).text));
}

void setStringProp(HWND window, DialogTag tag, const char* text) {
    if (!window) return;
    PropName name = propName(kStringPrefix, tag);
    removeStringProp(window, name.text);
    if (!text) return;
    char* copy = strdup(text);
    if (copy && !SetPropW(window, name.text, copy)) free(copy);
}

void getStringProp(HWND window, DialogTag tag, char* buffer, size_t size) {
    if (!buffer || size == 0) return;
    buffer[0] = 0;
    if (!window) return;
    const char* text =
        static_cast<const char*>(GetPropW(window, propName(kStringPrefix, tag).text));
    if (!text) return;
    size_t n = strlen(text);
    if (n > size - 1) n = size - 1;
    memcpy(buffer, text, n);
    buffer[n] = 0;
}

void freeStringProps(HWND window) {
    if (!window) return;
    freeOwnStringProps(window);
    EnumChildWindows(window, freeChildStringProps, 0);
}
