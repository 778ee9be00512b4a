#include "app/dialog_template.h"

#include <cstring>

namespace refhost {

CMyDialogTemplate::CMyDialogTemplate(const std::wstring& title, short width, short height) {
    DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT | DS_CENTER;
    word(LOWORD(style));
    word(HIWORD(style));
    word(0); // extended style
    word(0);
    countIndex_ = bytes_.size();
    word(0); // item count
    word(0); // x
    word(0); // y
    word(WORD(width));
    word(WORD(height));
    word(0); // no menu
    word(0); // standard class
    text(title);
    word(8);
    text(L"MS Shell Dlg");
}

void CMyDialogTemplate::text(const std::wstring& s) {
    for (wchar_t c : s)
        word(WORD(c));
    word(0);
}

void CMyDialogTemplate::align() {
    if (bytes_.size() % 2) word(0);
}

void CMyDialogTemplate::add(WORD controlClass, WORD id, const std::wstring& caption, short x,
                            short y, short cx, short cy, DWORD style) {
    align();
    style |= WS_CHILD | WS_VISIBLE;
    word(LOWORD(style));
    word(HIWORD(style));
    word(0);
    word(0);
    word(WORD(x));
    word(WORD(y));
    word(WORD(cx));
    word(WORD(cy));
    word(id);
    word(0xFFFF);
    word(controlClass);
    text(caption);
    word(0); // no creation data
    ++bytes_[countIndex_];
}

const DLGTEMPLATE* CMyDialogTemplate::data() {
    align();
    return reinterpret_cast<const DLGTEMPLATE*>(bytes_.data());
}

std::vector<uint8_t> loadPaneTemplate(HMODULE module, UINT resourceId) {
    HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(resourceId), MAKEINTRESOURCEW(5));
    if (!found) return {};
    HGLOBAL loaded = LoadResource(module, found);
    DWORD size = SizeofResource(module, found);
    const void* bytes = loaded ? LockResource(loaded) : nullptr;
    if (!bytes || size < 18) return {};
    std::vector<uint8_t> copy(static_cast<const uint8_t*>(bytes),
                              static_cast<const uint8_t*>(bytes) + size);
    // DLGTEMPLATEEX begins with version 1 and the signature 0xFFFF; its style is at 12.
    bool extended = copy[0] == 1 && copy[1] == 0 && copy[2] == 0xFF && copy[3] == 0xFF;
    size_t at = extended ? 12 : 0;
    DWORD style;
    memcpy(&style, &copy[at], 4);
    style &= ~DWORD(WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | DS_MODALFRAME |
                    WS_DLGFRAME | WS_BORDER | DS_CENTER);
    style |= WS_CHILD | DS_CONTROL | WS_VISIBLE;
    memcpy(&copy[at], &style, 4);
    return copy;
}

} // namespace refhost
