#include "host/export_dialog.h"

#include <windows.h>
#include <commdlg.h>
#include <dlgs.h>

#include <cstdio>
#include <string>
#include <vector>

#include "dialogs/control_access.h"
#include "dialogs/dialog_runtime.h"
#include "export/export_host.h"
#include "export/export_plan.h"
#include "export/export_ui.h"
#include "export/file_naming.h"
#include "export/page_range.h"
#include "export/style_choice.h"
#include "export/style_settings.h"
#include "export/text_fields.h"
#include "foundation/encoding.h"
#include "foundation/paths.h"
#include "foundation/settings.h"
#include "host/host_ui_ops.h"
#include "host/module.h"

namespace {

// Room for long paths: the dialog never hands back a name cut to its buffer.
constexpr DWORD kFileBufferUnits = 4096;
constexpr size_t kFieldTextSize = 256;

// The open dialog; the hook has no other way to reach it.
struct ExportDialogRun {
    ExportRequest request; // the proposal, with each choice made so far
    HWND child;            // our EXPORTDLG child
    HWND dialog;           // the system dialog around it
    bool toldLongName;     // the user has heard of styles left out of the list
    bool confirmed;        // OK was accepted: request holds the choice
};
ExportDialogRun* gRun = nullptr;
// The system dialog's own window procedure, which ours passes every message on to.
WNDPROC gSystemProc = nullptr;

HWND control(int id) {
    return GetDlgItem(gRun->child, id);
}

std::string fieldText(int id) {
    char text[kFieldTextSize] = "";
    getControlText(control(id), text, sizeof text);
    return text;
}

// The range is read whole: a cut or emptied range would export other pages than those typed.
std::string rangeText() {
    HWND field = control(kExportRange);
    std::vector<wchar_t> text(size_t(GetWindowTextLengthW(field)) + 1, 0);
    GetWindowTextW(field, text.data(), int(text.size()));
    return wideToUtf8(text.data());
}

// Page names and numbers are data, not string keys: they are set without the look-up.
void setFieldText(int id, const char* text) {
    setWindowTextQuietly(control(id), utf8ToWide(text).c_str());
}

bool boxChecked(int id) {
    return getControlValue(control(id)) != 0;
}

std::string selectedStyle() {
    char name[kFieldTextSize] = "";
    getItemText(control(kExportStyle), 0, name);
    return name;
}

void centreGroup(HWND child) {
    RECT dialogRect, absoluteRect, allRect;
    GetClientRect(child, &dialogRect);
    GetWindowRect(control(kExportAbsolute), &absoluteRect);
    GetWindowRect(control(kExportAll), &allRect);
    int shift =
        exportGroupShift(dialogRect.right - dialogRect.left, absoluteRect.left, allRect.right);
    // The first child is the place holder of the system's controls; it stays.
    HWND first = GetWindow(child, GW_CHILD);
    for (HWND w = first ? GetWindow(first, GW_HWNDNEXT) : nullptr; w;
         w = GetWindow(w, GW_HWNDNEXT)) {
        RECT r;
        GetWindowRect(w, &r);
        MapWindowPoints(nullptr, child, reinterpret_cast<POINT*>(&r), 2);
        SetWindowPos(w, nullptr, r.left + shift, r.top, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

void absoluteClicked() {
    bool on = boxChecked(kExportAbsolute);
    enableControl(control(kExportOffset), on);
    focusAndSelect(control(on ? kExportOffset : kExportRange), 0, 32);
}

// "All" selects every page: when page names repeat (numbering that starts again) no names
// text can, so the range switches to absolute numbers.
void fillFullRange() {
    bool absolute = boxChecked(kExportAbsolute);
    PageSelection pages = pageSelection(gRun->request);
    if (!absolute && !namesSelectEveryPage(pages)) {
        absolute = true;
        setControlValue(control(kExportAbsolute), 1);
        enableControl(control(kExportOffset), 1);
    }
    setFieldText(kExportRange, fillAllPages(pages, absolute).c_str());
    focusAndSelect(control(kExportRange), 0, 32);
}

// The system dialog's file name field: a combo box in Explorer style, an edit field before.
HWND fileNameField(HWND fileDialog) {
    HWND field = GetDlgItem(fileDialog, cmb13);
    return field ? field : GetDlgItem(fileDialog, edt1);
}

WideText proposedName(int32_t base) {
    return utf8ToWide(base ? gRun->request.layoutName : gRun->request.projectName);
}

void baseNameClicked() {
    ExportRequest& request = gRun->request;
    request.naming.base = boxChecked(kExportBaseName) ? 1 : 0;
    if (HWND field = fileNameField(gRun->dialog))
        SetWindowTextW(field, proposedName(request.naming.base).c_str());
}

// A style that bases the name elsewhere renames the file as a click on the box would, as long
// as the field holds the name proposed before; a name the user typed stays.
void followBaseName(int32_t before) {
    HWND field = fileNameField(gRun->dialog);
    if (!field || gRun->request.naming.base == before) return;
    std::vector<wchar_t> text(size_t(GetWindowTextLengthW(field)) + 1, 0);
    GetWindowTextW(field, text.data(), int(text.size()));
    if (proposedName(before) == text.data())
        SetWindowTextW(field, proposedName(gRun->request.naming.base).c_str());
}

void styleSelected() {
    ExportRequest& request = gRun->request;
    std::string name = selectedStyle();
    // "-" separates the EPS from the PDF styles; it is no style.
    if (name == kStyleListSeparator) {
        setControlValue(control(kExportStyle), 1);
        name = selectedStyle();
    }
    int32_t before = request.naming.base;
    chooseStyle(request, name.c_str());
    followBaseName(before);
    setControlValue(control(kExportBaseName), request.naming.base != 0);
    setControlValue(control(kExportPageMargins), request.naming.pageMargins != 0);
}

// Fills the list and selects `name` when the list has it, else the first entry. The user hears
// once per dialog about styles whose names are too long to be listed.
void fillStyles(const char* name) {
    HWND list = control(kExportStyle);
    SendMessageW(list, CB_RESETCONTENT, 0, 0);
    std::string leftOut;
    for (const std::string& style : fillStyleList(&leftOut))
        addListItem(list, style.c_str());
    setControlText(list, name);
    if (!leftOut.empty() && !gRun->toldLongName) {
        gRun->toldLongName = true;
        char start[61];
        copyTextCut(start, leftOut.c_str());
        exportUi().showMessage("styleNameTooLong", (std::string(start) + "\xE2\x80\xA6").c_str());
    }
}

// The editor may have renamed the style (or others): the list is built anew and keeps the
// edited style chosen under its new name.
void styleEdited() {
    StyleHandle edited = gRun->request.styleHandle;
    hostOpenStyleEditor(edited, gRun->dialog);
    char name[kStyleNameSize + 1] = "";
    if (edited) hostStyleName(edited, name, sizeof name);
    fillStyles(name[0] ? name : gRun->request.styleName);
    styleSelected();
}

// The path the file name field stands for: a typed full path as it is, a name in the folder
// shown. Empty while the field is.
std::string shownPath() {
    HWND field = fileNameField(gRun->dialog);
    if (!field) return {};
    std::vector<wchar_t> text(size_t(GetWindowTextLengthW(field)) + 1, 0);
    GetWindowTextW(field, text.data(), int(text.size()));
    std::wstring path = text.data();
    if (path.empty()) return {};
    bool full = (path.size() >= 2 && path[1] == L':') || path[0] == L'\\' || path[0] == L'/';
    if (!full) {
        std::vector<wchar_t> folder(kFileBufferUnits, 0);
        SendMessageW(gRun->dialog, CDM_GETFOLDERPATH, WPARAM(folder.size()), LPARAM(folder.data()));
        std::wstring prefix = folder.data();
        if (!prefix.empty() && prefix.back() != L'\\') prefix += L'\\';
        path = prefix + path;
    }
    return wideToUtf8(path.c_str());
}

ExportRequest requestFromControls(const std::string& path);

// The preview line: what OK would write now, from the same plan OK checks.
void updatePreview() {
    if (!gRun || !gRun->child) return;
    std::string path = shownPath();
    std::string line;
    if (path.size() >= kPathSize)
        line = planPreview({"pathTooLong", lastPathComponent(path.c_str()), {}});
    else if (!path.empty())
        line = planPreview(planExport(requestFromControls(path)));
    setFieldText(kExportPreview, line.c_str());
}

// The file name field belongs to the system dialog, which alone hears of its changes.
LRESULT CALLBACK fileDialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = CallWindowProcW(gSystemProc, window, message, wParam, lParam);
    if (message == WM_COMMAND && gRun && gRun->child) {
        int id = LOWORD(wParam), code = HIWORD(wParam);
        if ((id == cmb13 && code == CBN_EDITCHANGE) || (id == edt1 && code == EN_CHANGE))
            updatePreview();
    }
    return result;
}

void initialise(HWND child) {
    ExportRequest& state = gRun->request;
    gRun->child = child;
    gRun->dialog = GetParent(child);
    localizeDialog(child);
    centreGroup(child);

    char page[kNameSize] = "";
    if (!state.absolute) {
        hostPageName(state.layoutId, state.currentPage, page, sizeof page);
        // A name that also reads as other pages ("1-2" beside "1" and "2") is proposed by number.
        if (!nameSelectsOnly(pageSelection(state), page, state.currentPage)) state.absolute = 1;
    }
    if (state.absolute) snprintf(page, sizeof page, "%d", state.currentPage);
    setFieldText(kExportRange, page);
    setControlValue(control(kExportAbsolute), state.absolute != 0);
    setFieldText(kExportOffset, "0");
    enableControl(control(kExportOffset), state.absolute != 0);
    if (state.areaMode) {
        for (int id : {kExportRange, kExportAll, kExportAbsolute, kExportOffset})
            enableControl(control(id), 0);
    }
    fillStyles(state.styleName);
    styleSelected();
    if (getAllPages() == 1) fillFullRange();
    gSystemProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(gRun->dialog, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(fileDialogProc)));
    updatePreview();
    hostAnnounceDialog(gRun->dialog);
}

// The chosen path, UTF-8, as the dialog put it into its file buffer before asking us (asking
// the dialog for it instead joins a typed full path to the folder shown under Wine). False
// when it does not fit exportPath whole: a cut path would name another file.
bool chosenPath(const OPENFILENAMEW* ofn, std::string& chosen) {
    if (!ofn || !ofn->lpstrFile) return false;
    chosen = wideToUtf8(ofn->lpstrFile);
    return chosen.size() < kPathSize;
}

// The request as the controls stand, for `path`. The style and its naming are the request's
// already: selecting a style chooses it.
ExportRequest requestFromControls(const std::string& path) {
    ExportRequest request = gRun->request;
    request.absolute = boxChecked(kExportAbsolute) ? 1 : 0;
    request.naming.pageMargins = boxChecked(kExportPageMargins) ? 1 : 0;
    request.naming.base = boxChecked(kExportBaseName) ? 1 : 0;
    request.offset = request.absolute ? int16_t(readDecimal(fieldText(kExportOffset).c_str())) : 0;
    request.range = request.areaMode ? std::string() : rangeText();
    copyText(request.exportPath, path.c_str());
    return request;
}

// Every file of the run is named now, while the user can still change the choice. False keeps
// the dialog open.
bool confirm(const OPENFILENAMEW* ofn) {
    std::string path;
    if (!chosenPath(ofn, path)) {
        exportUi().showMessage("pathTooLong", nullptr);
        return false;
    }
    ExportRequest request = requestFromControls(path);
    ExportPlan plan = planExport(request);
    if (plan.refusal) {
        exportUi().showMessage(plan.refusal, plan.detail.empty() ? nullptr : plan.detail.c_str());
        if (!request.areaMode) focusAndSelect(control(kExportRange), 0, 32);
        return false;
    }
    // The area's file is asked about now, whatever the preference says; pages as they come.
    if (request.areaMode && !areaOverwriteAccepted(plan.files[0].file.c_str())) return false;
    gRun->request = request;
    gRun->confirmed = true;
    return true;
}

void command(int id, int code) {
    switch (id) {
    case kExportRange:
    case kExportOffset:
        if (code == EN_CHANGE) updatePreview();
        return;
    case kExportPageMargins:
        updatePreview();
        return;
    case kExportAll:
        fillFullRange();
        break;
    case kExportAbsolute:
        absoluteClicked();
        break;
    case kExportBaseName:
        baseNameClicked();
        break;
    case kExportStyle:
        if (code == CBN_SELCHANGE) styleSelected();
        break;
    case kExportEditStyle:
        styleEdited();
        break;
    default:
        return;
    }
    updatePreview();
}

UINT_PTR CALLBACK exportDialogHook(HWND child, UINT message, WPARAM wParam, LPARAM lParam) {
    if (!gRun) return 0;
    if (message == WM_NOTIFY) {
        const OFNOTIFYW* notify = reinterpret_cast<const OFNOTIFYW*>(lParam);
        if (notify->hdr.code == CDN_INITDONE) {
            initialise(child);
        } else if (notify->hdr.code == CDN_FOLDERCHANGE || notify->hdr.code == CDN_SELCHANGE) {
            updatePreview();
        } else if (notify->hdr.code == CDN_FILEOK) {
            SetWindowLongPtrW(child, DWLP_MSGRESULT, confirm(notify->lpOFN) ? 0 : 1);
            return 1;
        }
    } else if (message == WM_COMMAND && gRun->child && !commandsSuppressed()) {
        command(LOWORD(wParam), HIWORD(wParam));
    }
    return 0;
}

} // namespace

int exportGroupShift(int dialogWidth, int absoluteLeft, int allRight) {
    return (dialogWidth - (allRight - absoluteLeft)) / 2;
}

std::optional<ExportRequest> runExportDialog(const ExportRequest& proposal) {
    std::vector<wchar_t> file(kFileBufferUnits, 0);
    WideText proposed = utf8ToWide(proposal.exportPath);
    wideCopy(file.data(), int32_t(file.size()), proposed.c_str());
    static const wchar_t filter[] = L"*.*\0*.*\0";

    OPENFILENAMEW ofn = {};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = GetActiveWindow();
    ofn.hInstance = pluginModule();
    ofn.lpstrFilter = filter;
    ofn.lpstrFile = file.data();
    ofn.nMaxFile = DWORD(file.size());
    ofn.Flags = OFN_EXPLORER | OFN_ENABLETEMPLATE | OFN_ENABLEHOOK | OFN_HIDEREADONLY;
    ofn.lpfnHook = exportDialogHook;
    ofn.lpTemplateName = L"EXPORTDLG";

    ExportDialogRun run = {proposal, nullptr, nullptr, false, false};
    gRun = &run;
    BOOL confirmed = GetSaveFileNameW(&ofn);
    gRun = nullptr;
    if (run.dialog) hostDialogClosed(run.dialog);
    if (!confirmed || !run.confirmed) return std::nullopt;
    return run.request;
}
