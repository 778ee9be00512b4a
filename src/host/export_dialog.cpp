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

// The run the open dialog belongs to; the hook has no other way to reach it.
struct ExportDialogRun {
    ExportState* state;
    HWND child;        // our EXPORTDLG child
    HWND dialog;       // the system dialog around it
    bool toldLongName; // the user has heard of styles left out of the list
};
ExportDialogRun* gRun = nullptr;

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
    if (!absolute && !namesSelectEveryPage(*gRun->state)) {
        absolute = true;
        setControlValue(control(kExportAbsolute), 1);
        enableControl(control(kExportOffset), 1);
    }
    setFieldText(kExportRange, fillAllPages(*gRun->state, absolute).c_str());
    focusAndSelect(control(kExportRange), 0, 32);
}

// The system dialog's file name field: a combo box in Explorer style, an edit field before.
HWND fileNameField(HWND fileDialog) {
    HWND field = GetDlgItem(fileDialog, cmb13);
    return field ? field : GetDlgItem(fileDialog, edt1);
}

WideText proposedName(int32_t base) {
    return utf8ToWide(base ? gRun->state->layoutName : gRun->state->projectName);
}

void baseNameClicked() {
    ExportState& state = *gRun->state;
    state.base = boxChecked(kExportBaseName) ? 1 : 0;
    if (HWND field = fileNameField(gRun->dialog))
        SetWindowTextW(field, proposedName(state.base).c_str());
}

// A style that bases the name elsewhere renames the file as a click on the box would, as long
// as the field holds the name proposed before; a name the user typed stays.
void followBaseName(int32_t before) {
    HWND field = fileNameField(gRun->dialog);
    if (!field || gRun->state->base == before) return;
    std::vector<wchar_t> text(size_t(GetWindowTextLengthW(field)) + 1, 0);
    GetWindowTextW(field, text.data(), int(text.size()));
    if (proposedName(before) == text.data())
        SetWindowTextW(field, proposedName(gRun->state->base).c_str());
}

void styleSelected() {
    ExportState& state = *gRun->state;
    std::string name = selectedStyle();
    // "-" separates the EPS from the PDF styles; it is no style.
    if (name == kStyleListSeparator) {
        setControlValue(control(kExportStyle), 1);
        name = selectedStyle();
    }
    int32_t before = state.base;
    chooseStyle(state, name.c_str());
    followBaseName(before);
    setControlValue(control(kExportBaseName), state.base != 0);
    setControlValue(control(kExportPageMargins), state.pageMargins != 0);
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
    copyTextCut(gRun->state->styleName, selectedStyle().c_str());
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
    StyleHandle edited = gRun->state->styleHandle;
    hostOpenStyleEditor(edited, gRun->dialog);
    char name[kStyleNameSize + 1] = "";
    if (edited) hostStyleName(edited, name, sizeof name);
    fillStyles(name[0] ? name : gRun->state->styleName);
    styleSelected();
}

void initialise(HWND child) {
    ExportState& state = *gRun->state;
    gRun->child = child;
    gRun->dialog = GetParent(child);
    state.dialogWindow = gRun->dialog;
    localizeDialog(child);
    centreGroup(child);

    char page[kNameSize] = "";
    if (!state.absolute) {
        hostPageName(state.layoutId, state.currentPage, page, sizeof page);
        // A name that also reads as other pages ("1-2" beside "1" and "2") is proposed by number.
        if (!nameSelectsOnly(state, page, state.currentPage)) state.absolute = 1;
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

// Every file of the run is named now, while the user can still change the choice.
bool namesUsable(const std::string& path) {
    ExportState probe = *gRun->state;
    probe.spreads = styleExportsSpreads(probe.styleHandle, probe.styleType) ? 1 : 0;
    copyText(probe.exportPath, path.c_str());
    dropOutputExtension(probe.exportPath);
    NamingCheck check = checkOutputNames(probe);
    if (check.problem == NamingProblem::none) return true;
    exportUi().showMessage(namingProblemKey(check.problem), check.subject.c_str());
    return false;
}

// False keeps the dialog open.
bool confirm(const OPENFILENAMEW* ofn) {
    ExportState& state = *gRun->state;
    state.absolute = boxChecked(kExportAbsolute) ? 1 : 0;
    state.pageMargins = boxChecked(kExportPageMargins) ? 1 : 0;
    state.base = boxChecked(kExportBaseName) ? 1 : 0;
    copyTextCut(state.styleName, selectedStyle().c_str());
    std::string path;
    if (!chosenPath(ofn, path)) {
        exportUi().showMessage("pathTooLong", nullptr);
        return false;
    }
    // styleType, and with it the file's extension, follows the selected style.
    if (state.areaMode) return areaFileName(state, path.c_str());
    state.offset = state.absolute ? int16_t(readDecimal(fieldText(kExportOffset).c_str())) : 0;
    RangeAmbiguity ambiguity;
    RangeParse parsed = parsePageRange(rangeText().c_str(), state, &ambiguity);
    if (parsed == RangeParse::Ambiguous) {
        exportUi().showMessage("ambiguousPageRange", ambiguityText(ambiguity).c_str());
        focusAndSelect(control(kExportRange), 0, 32);
        return false;
    }
    if (parsed != RangeParse::Ok) {
        exportUi().showMessage("noValidPageNum", nullptr);
        focusAndSelect(control(kExportRange), 0, 32);
        return false;
    }
    if (!namesUsable(path)) {
        focusAndSelect(control(kExportRange), 0, 32);
        return false;
    }
    return true;
}

void command(int id, int code) {
    switch (id) {
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
        break;
    }
}

UINT_PTR CALLBACK exportDialogHook(HWND child, UINT message, WPARAM wParam, LPARAM lParam) {
    if (!gRun) return 0;
    if (message == WM_NOTIFY) {
        const OFNOTIFYW* notify = reinterpret_cast<const OFNOTIFYW*>(lParam);
        if (notify->hdr.code == CDN_INITDONE) {
            initialise(child);
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

bool runExportDialog(ExportState& state, std::string& path) {
    std::vector<wchar_t> file(kFileBufferUnits, 0);
    WideText proposed = utf8ToWide(state.exportPath);
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

    ExportDialogRun run = {&state, nullptr, nullptr, false};
    gRun = &run;
    BOOL confirmed = GetSaveFileNameW(&ofn);
    gRun = nullptr;
    if (run.dialog) hostDialogClosed(run.dialog);
    state.dialogWindow = nullptr;
    if (!confirmed) return false;
    state.spreads = styleExportsSpreads(state.styleHandle, state.styleType) ? 1 : 0;
    path = wideToUtf8(file.data());
    return true;
}
