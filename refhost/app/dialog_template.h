#pragma once
// In-memory dialog templates for the host's own dialogs (no resource script needed).
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace refhost {

class CMyDialogTemplate {
  public:
    // Predefined control classes.
    static constexpr WORD kButton = 0x0080, kEdit = 0x0081, kStatic = 0x0082;

    CMyDialogTemplate(const std::wstring& title, short width, short height);
    void add(WORD controlClass, WORD id, const std::wstring& text, short x, short y, short cx,
             short cy, DWORD style);
    // The finished template (DWORD-aligned), valid until the next add.
    const DLGTEMPLATE* data();

  private:
    void word(WORD w) { bytes_.push_back(w); }
    void text(const std::wstring& s);
    void align();
    std::vector<WORD> bytes_;
    size_t countIndex_ = 0;
};

// A copy of a dialog template resource of `module` turned into a child pane (WS_CHILD,
// DS_CONTROL, no caption or frame); empty when the resource is missing.
std::vector<uint8_t> loadPaneTemplate(HMODULE module, UINT resourceId);

} // namespace refhost
