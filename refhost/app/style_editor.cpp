#include "app/style_editor.h"

#include "app/dialog_template.h"
#include "app/host_app.h"
#include "model/wide_text.h"
#include "plugins/plugin_dispatch.h"

#include <cmath>
#include <cstdlib>
#include <map>
#include <memory>
#include <vector>

struct KxhPaneRec {
    HWND window = nullptr;
    uint32_t message = 0;
    std::string title;
    std::map<int, int> kinds;
    std::vector<uint8_t> dialogTemplate;
};

struct KxhEditorRec {
    bool acceptingPanes = false;
    std::vector<std::unique_ptr<KxhPaneRec>> panes;
};

namespace refhost {

const wchar_t* const kStyleEditorTitle = L"Edit Output Style";

namespace {

struct EditorState {
    OutputStyle* style = nullptr;
    KxhEditorRec editor;
};

std::vector<std::string> spreadsPath(uint32_t type) {
    if (type == kTypeEps) return {"EPS", "General", "Spread"};
    return {"PageOptions", "Spreads"};
}

uint32_t spreadsOwner(uint32_t type) {
    return type == kTypeEps ? kOwnerEpsExport : kOwnerPdfExport;
}

// Returns the block as the plug-ins left it.
KxhPaneParams sendPane(KxhPaneRec& pane, OutputStyle* style, int32_t paneMessage) {
    KxhPaneParams params = {};
    params.paneMessage = paneMessage;
    params.pane = &pane;
    params.style = reinterpret_cast<KxhStyle>(style);
    params.hdr.size = sizeof(params);
    params.hdr.message = pane.message;
    sendToPlugins(params.hdr);
    if (paneMessage == KXH_PANE_DECLARE && params.result == 1)
        pane.dialogTemplate =
            loadPaneTemplate(static_cast<HMODULE>(params.resourceModule), params.resourceId);
    return params;
}

INT_PTR CALLBACK paneProc(HWND, UINT msg, WPARAM, LPARAM) {
    return msg == WM_INITDIALOG;
}

void moveControl(HWND dialog, int id, int dy) {
    HWND control = GetDlgItem(dialog, id);
    RECT r;
    GetWindowRect(control, &r);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
    SetWindowPos(control, nullptr, r.left, r.top + dy, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
}

// Places the panes under the host's fields, growing the dialog to hold them.
void createPanes(HWND dialog, EditorState& state) {
    RECT anchor = {0, 60, 0, 0};
    MapDialogRect(dialog, &anchor);
    int y = anchor.top, grow = 0;
    for (auto& pane : state.editor.panes) {
        sendPane(*pane, state.style, KXH_PANE_DECLARE);
        if (pane->dialogTemplate.empty()) continue;
        pane->window = CreateDialogIndirectParamW(
            nullptr, reinterpret_cast<const DLGTEMPLATE*>(pane->dialogTemplate.data()), dialog,
            paneProc, 0);
        if (!pane->window) continue;
        ShowWindow(pane->window, SW_SHOWNA);
        RECT r;
        GetWindowRect(pane->window, &r);
        int height = r.bottom - r.top;
        SetWindowPos(pane->window, nullptr, 8, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        y += height + 6;
        grow += height + 6;
        sendPane(*pane, state.style, KXH_PANE_DEFINE_ITEMS);
        sendPane(*pane, state.style, KXH_PANE_FILL);
    }
    if (grow == 0) return;
    RECT frame;
    GetWindowRect(dialog, &frame);
    SetWindowPos(dialog, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top + grow,
                 SWP_NOMOVE | SWP_NOZORDER);
    moveControl(dialog, kStyleOkId, grow);
    moveControl(dialog, kStyleCancelId, grow);
}

std::wstring dialogText(HWND dialog, int id) {
    wchar_t buf[512] = {};
    GetDlgItemTextW(dialog, id, buf, 512);
    return buf;
}

void complain(HWND dialog, const std::wstring& text, int focus) {
    MessageBoxW(dialog, text.c_str(), kStyleEditorTitle, MB_OK | MB_ICONWARNING);
    SetFocus(GetDlgItem(dialog, focus));
}

// Checks and stores the host's fields, then lets the panes save. false keeps the dialog open.
bool confirm(HWND dialog, EditorState& state) {
    OutputStyle& style = *state.style;
    std::string name = narrow(dialogText(dialog, kStyleNameId));
    while (!name.empty() && name.back() == ' ')
        name.pop_back();
    if (name.empty()) {
        complain(dialog, L"The style needs a name.", kStyleNameId);
        return false;
    }
    OutputStyle* other = findStyle(hostSettings(), name);
    if (other && other != &style) {
        complain(dialog, L"A style named \"" + widen(name) + L"\" exists already.", kStyleNameId);
        return false;
    }
    std::string bleedText = narrow(dialogText(dialog, kStyleBleedId));
    char* end = nullptr;
    double bleed = bleedText.empty() ? 0 : std::strtod(bleedText.c_str(), &end);
    if (!bleedText.empty() &&
        (!end || *end || !std::isfinite(bleed) || bleed < 0 || bleed > kMaxBleed)) {
        complain(dialog, L"The bleed must be a number of points from 0 to 1000.", kStyleBleedId);
        return false;
    }
    // Every pane is asked before anything is stored, so that a refusal leaves the style whole.
    for (auto& pane : state.editor.panes)
        if (pane->window && sendPane(*pane, state.style, KXH_PANE_CHECK).refused) return false;
    style.name = name;
    setValue(style, kOwnerBleed, {"BleedSettings", "Symmetric"},
             bleedText.empty() ? "0" : bleedText);
    if (style.type == kTypeEps || style.type == kTypePdf) {
        bool spreads = IsDlgButtonChecked(dialog, kStyleSpreadsId) == BST_CHECKED;
        setValue(style, spreadsOwner(style.type), spreadsPath(style.type), spreads ? "1" : "0");
    }
    for (auto& pane : state.editor.panes)
        if (pane->window) sendPane(*pane, state.style, KXH_PANE_SAVE);
    HostSettings& settings = hostSettings();
    settings.changed = true;
    std::string error;
    if (!saveSettingsIfChanged(settings, &error)) CMyHostApp::instance().reportError(error);
    return true;
}

void closePanes(EditorState& state) {
    for (auto& pane : state.editor.panes)
        if (pane->window) sendPane(*pane, state.style, KXH_PANE_CLOSE);
}

INT_PTR CALLBACK editorProc(HWND dialog, UINT msg, WPARAM wp, LPARAM lp) {
    auto* state = reinterpret_cast<EditorState*>(GetWindowLongPtrW(dialog, DWLP_USER));
    switch (msg) {
    case WM_INITDIALOG: {
        state = reinterpret_cast<EditorState*>(lp);
        SetWindowLongPtrW(dialog, DWLP_USER, LONG_PTR(state));
        OutputStyle& style = *state->style;
        SetDlgItemTextW(dialog, kStyleNameId, widen(style.name).c_str());
        SetDlgItemTextW(dialog, kStyleTypeId, widen(styleTypeName(style.type)).c_str());
        const std::string* bleed = findValue(style, kOwnerBleed, {"BleedSettings", "Symmetric"});
        SetDlgItemTextW(dialog, kStyleBleedId, widen(bleed ? *bleed : "0").c_str());
        bool typed = style.type == kTypeEps || style.type == kTypePdf;
        CheckDlgButton(dialog, kStyleSpreadsId,
                       typed && styleExportsSpreads(style) ? BST_CHECKED : BST_UNCHECKED);
        EnableWindow(GetDlgItem(dialog, kStyleSpreadsId), typed);
        // Plug-ins add their panes now; addPane is refused at any other time.
        KxhStyleEditorParams params = {};
        params.style = reinterpret_cast<KxhStyle>(state->style);
        params.editor = &state->editor;
        state->editor.acceptingPanes = true;
        sendMessage(KXH_MSG_STYLE_EDITOR, params);
        state->editor.acceptingPanes = false;
        createPanes(dialog, *state);
        return TRUE;
    }
    case WM_COMMAND:
        switch (LOWORD(wp)) {
        case IDOK:
        case kStyleOkId:
            if (confirm(dialog, *state)) {
                closePanes(*state);
                EndDialog(dialog, 1);
            }
            return TRUE;
        case IDCANCEL:
        case kStyleCancelId:
            closePanes(*state);
            EndDialog(dialog, 0);
            return TRUE;
        }
        break;
    }
    return FALSE;
}

KxhPaneRec* paneOf(KxhPane pane) {
    return pane && pane->window ? pane : nullptr;
}

HWND itemOf(KxhPane pane, int32_t id) {
    KxhPaneRec* rec = paneOf(pane);
    return rec ? GetDlgItem(rec->window, id) : nullptr;
}

int32_t KXH_CALL paneDefineItem(KxhPane pane, int32_t itemId, int32_t kind) {
    if (kind < KXH_PANE_ITEM_STATIC || kind > KXH_PANE_ITEM_CHECK_BOX) return KXH_ERR_PARAM;
    if (!itemOf(pane, itemId)) return KXH_NONE;
    pane->kinds[itemId] = kind;
    return KXH_OK;
}

int32_t KXH_CALL paneSetItemText(KxhPane pane, int32_t itemId, const char* text) {
    HWND item = itemOf(pane, itemId);
    if (!item || !text) return KXH_NONE;
    SetWindowTextW(item, widen(text).c_str());
    return KXH_OK;
}

int32_t KXH_CALL paneGetItemText(KxhPane pane, int32_t itemId, char* buf, uint32_t bufSize) {
    HWND item = itemOf(pane, itemId);
    if (!item) {
        copyText("", buf, bufSize);
        return KXH_NONE;
    }
    int len = GetWindowTextLengthW(item);
    std::wstring text(size_t(len) + 1, L'\0');
    GetWindowTextW(item, &text[0], len + 1);
    text.resize(size_t(len));
    return copyText(narrow(text), buf, bufSize);
}

int32_t KXH_CALL paneAddPopupEntry(KxhPane pane, int32_t itemId, const char* text) {
    HWND item = itemOf(pane, itemId);
    if (!item || !text) return KXH_NONE;
    LRESULT at = SendMessageW(item, CB_ADDSTRING, 0, LPARAM(widen(text).c_str()));
    return at < 0 ? KXH_NONE : KXH_OK;
}

int32_t KXH_CALL paneSetPopupSelection(KxhPane pane, int32_t itemId, int32_t index) {
    HWND item = itemOf(pane, itemId);
    if (!item) return KXH_NONE;
    if (index < 0 || index >= int32_t(SendMessageW(item, CB_GETCOUNT, 0, 0))) return KXH_ERR_PARAM;
    SendMessageW(item, CB_SETCURSEL, WPARAM(index), 0);
    return KXH_OK;
}

int32_t KXH_CALL panePopupSelection(KxhPane pane, int32_t itemId) {
    HWND item = itemOf(pane, itemId);
    if (!item) return -1;
    LRESULT sel = SendMessageW(item, CB_GETCURSEL, 0, 0);
    return sel == CB_ERR ? -1 : int32_t(sel);
}

int32_t KXH_CALL paneSetChecked(KxhPane pane, int32_t itemId, int32_t checked) {
    HWND item = itemOf(pane, itemId);
    if (!item) return KXH_NONE;
    SendMessageW(item, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
    return KXH_OK;
}

int32_t KXH_CALL paneIsChecked(KxhPane pane, int32_t itemId) {
    HWND item = itemOf(pane, itemId);
    if (!item) return -1;
    return SendMessageW(item, BM_GETCHECK, 0, 0) == BST_CHECKED ? 1 : 0;
}

int32_t KXH_CALL paneSetItemMaxLength(KxhPane pane, int32_t itemId, int32_t maxUnits) {
    HWND item = itemOf(pane, itemId);
    if (!item) return KXH_NONE;
    if (maxUnits < 1) return KXH_ERR_PARAM;
    SendMessageW(item, EM_LIMITTEXT, WPARAM(maxUnits), 0);
    return KXH_OK;
}

} // namespace

int32_t copyText(const std::string& text, char* buf, uint32_t bufSize) {
    if (!buf || bufSize == 0) return KXH_ERR_PARAM;
    size_t n = text.size();
    if (n < bufSize) {
        memcpy(buf, text.c_str(), n + 1);
        return KXH_OK;
    }
    n = bufSize - 1;
    while (n > 0 && (static_cast<unsigned char>(text[n]) & 0xC0) == 0x80)
        --n; // do not split a character
    memcpy(buf, text.data(), n);
    buf[n] = '\0';
    return KXH_TRUNCATED;
}

bool runStyleEditor(HWND parent, OutputStyle& style) {
    CMyDialogTemplate dlg(kStyleEditorTitle, 260, 84);
    dlg.add(CMyDialogTemplate::kStatic, 0xFFFF, L"Name:", 7, 9, 40, 8, SS_LEFT);
    dlg.add(CMyDialogTemplate::kEdit, kStyleNameId, L"", 52, 7, 200, 12,
            WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL);
    dlg.add(CMyDialogTemplate::kStatic, 0xFFFF, L"Type:", 7, 25, 40, 8, SS_LEFT);
    dlg.add(CMyDialogTemplate::kStatic, kStyleTypeId, L"", 52, 25, 60, 8, SS_LEFT);
    dlg.add(CMyDialogTemplate::kStatic, 0xFFFF, L"Bleed (pt):", 7, 41, 44, 8, SS_LEFT);
    dlg.add(CMyDialogTemplate::kEdit, kStyleBleedId, L"", 52, 39, 50, 12,
            WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL);
    dlg.add(CMyDialogTemplate::kButton, kStyleSpreadsId, L"Export spreads", 120, 40, 120, 10,
            BS_AUTOCHECKBOX | WS_TABSTOP);
    dlg.add(CMyDialogTemplate::kButton, kStyleOkId, L"OK", 148, 64, 50, 14,
            BS_DEFPUSHBUTTON | WS_TABSTOP);
    dlg.add(CMyDialogTemplate::kButton, kStyleCancelId, L"Cancel", 203, 64, 50, 14,
            BS_PUSHBUTTON | WS_TABSTOP);
    EditorState state;
    state.style = &style;
    INT_PTR result = DialogBoxIndirectParamW(GetModuleHandleW(nullptr), dlg.data(), parent,
                                             editorProc, LPARAM(&state));
    return result == 1;
}

int32_t KXH_CALL styleOpenEditor(void* parent, KxhStyle style) {
    OutputStyle* target = reinterpret_cast<OutputStyle*>(style);
    if (!target) {
        auto& styles = hostSettings().styles;
        if (styles.empty()) return KXH_ERR_PARAM;
        target = styles.front().get();
    }
    HWND owner = parent ? static_cast<HWND>(parent) : CMyHostApp::instance().mainWindow();
    return CMyHostApp::instance().editStyle(owner, *target) ? KXH_OK : KXH_OUTPUT_CANCELLED;
}

int32_t KXH_CALL styleAddPane(KxhEditor editor, uint32_t paneMessage, const char* title) {
    if (!editor || !paneMessage) return KXH_ERR_PARAM;
    if (!editor->acceptingPanes) return KXH_ERR_NOT_NOW;
    auto pane = std::make_unique<KxhPaneRec>();
    pane->message = paneMessage;
    pane->title = title ? title : "";
    editor->panes.push_back(std::move(pane));
    return KXH_OK;
}

void fillPaneTable(KxhPaneTable& table) {
    table.defineItem = paneDefineItem;
    table.setItemText = paneSetItemText;
    table.getItemText = paneGetItemText;
    table.addPopupEntry = paneAddPopupEntry;
    table.setPopupSelection = paneSetPopupSelection;
    table.popupSelection = panePopupSelection;
    table.setChecked = paneSetChecked;
    table.isChecked = paneIsChecked;
    table.setItemMaxLength = paneSetItemMaxLength;
}

bool CMyHostApp::editStyle(HWND parent, OutputStyle& style) {
    ++busy_;
    bool confirmed = runStyleEditor(parent, style);
    --busy_;
    return confirmed;
}

} // namespace refhost
