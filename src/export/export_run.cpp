#include "export/export_run.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>

#include "export/area_export.h"
#include "export/export_host.h"
#include "export/export_ui.h"
#include "export/file_naming.h"
#include "export/overflow_check.h"
#include "export/page_range.h"
#include "export/style_choice.h"
#include "export/style_settings.h"
#include "export/text_fields.h"
#include "foundation/array.h"
#include "foundation/files.h"
#include "foundation/localize.h"
#include "foundation/log.h"
#include "foundation/paths.h"
#include "foundation/settings.h"

constexpr int32_t kPageListCapacity = 2000;

static void readProjectAndLayout(ExportState& state) {
    hostProjectPath(state.layoutId, state.projectPath, sizeof state.projectPath);
    char project[kPathSize];
    if (hostProjectName(state.layoutId, project, sizeof project)) {
        replaceExtension(project, sizeof project, "");
        copyTextCut(state.projectName, project);
    }
    hostLayoutName(state.layoutId, state.layoutName, sizeof state.layoutName);
}

// True to go on; *accepted tells that the user let overflowing text go out. With
// AbortOnOverflow every output holding overflowing text would be stopped, so the run ends at
// once with that message instead of asking; an area's output holds all that touches its box.
static bool overflowAccepted(int32_t layout, bool areaMode, bool* accepted) {
    *accepted = false;
    ItemHandle box = findOverflow(layout, areaMode);
    if (getAbortOnOverflow() == 1) {
        if (!box && areaMode) box = findOverflowInArea(layout, hostCurrentItem(layout));
        if (!box) return true;
        exportUi().showMessage("overflowErr2", nullptr);
        hostSelectAndShow(layout, box);
        return false;
    }
    if (!box) return true;
    if (exportUi().askYesNo("overflowErr", nullptr) == Answer::Yes) return *accepted = true;
    hostSelectAndShow(layout, box);
    return false;
}

// The key that says why the host wrote no file.
static const char* failureReason(int32_t result) {
    switch (result) {
    case 0:
        return "exportFileMissing";
    case KXH_OUTPUT_WRITE_FAILED:
        return "exportWriteFailed";
    case KXH_OUTPUT_DISTILLER:
        return "exportDistillerFailed";
    case KXH_OUTPUT_DISK_FULL:
        return "exportDiskFull";
    case KXH_OUTPUT_PAGE_SIZE:
        return "exportPageSize";
    case KXH_OUTPUT_ABORTED:
        return "exportAborted";
    default:
        return "exportHostError";
    }
}

// The file and, on a line of its own, why it was not written.
static std::string failureDetail(const char* file, int32_t result) {
    char reason[kLocalizedSize];
    localize(failureReason(result), reason, sizeof reason);
    std::string detail = std::string(file) + "\n" + reason;
    if (result != 0 && strcmp(failureReason(result), "exportHostError") == 0)
        detail += " " + std::to_string(result);
    return detail;
}

static void exportAreaAndShow(ExportState& state) {
    char folder[kPathSize];
    copyText(folder, state.outputFile);
    stripLastComponent(folder);
    setFolderPath(folder);
    int32_t result = exportArea(state);
    if (result == KXH_OUTPUT_CANCELLED) return;
    if (result == kAreaEmpty) {
        // A page of no size would be written and look like success.
        char name[kNameSize];
        hostItemName(state.currentBox, name, sizeof name);
        logLine("exportArea: refused, the box covers nothing of its page: %s\r\n", name);
        exportUi().showMessage("areaEmpty", name);
        return;
    }
    if (result == KXH_OUTPUT_ABORTED && state.stoppedForOverflow) return;
    if (result != 0 || !fileExists(state.outputFile)) {
        // The host leaves no file behind a failed output: there is nothing to show.
        exportUi().showMessage("areaExportFailed", failureDetail(state.outputFile, result).c_str());
        return;
    }
    if (getShowAfterExport() == 1 && exportUi().openFile) exportUi().openFile(state.outputFile);
}

void exportPages(bool areaMode) {
    int32_t layout = hostCurrentLayout();
    if (layout < 0) return;
    // The area is the selected box's; without one there is nothing to export.
    if (areaMode && !hostCurrentItem(layout)) return;
    bool accepted = false;
    if (!overflowAccepted(layout, areaMode, &accepted)) return;

    ExportState& state = exportState();
    resetExportState(state);
    // Text the user let go out includes a job slug stamp that turns out not to fit.
    state.slugOverflowAccepted = accepted ? 1 : 0;
    state.areaMode = areaMode ? 1 : 0;
    state.layoutId = layout;
    readOutputStyle(state);
    state.pageCount = static_cast<int16_t>(std::clamp(hostPageCount(layout), 0, kMaxPageCount));
    clearPageFlags(state);
    state.currentBox = hostCurrentItem(layout);
    state.currentPage = hostCurrentPage(layout);
    readProjectAndLayout(state);
    defaultExportPath(state);

    if (areaMode) {
        std::string chosen; // the dialog has named the area's file already
        if (!exportUi().runExportDialog(state, chosen)) return;
        exportAreaAndShow(state);
    } else {
        if (!exportPath(state)) return;
        doExport(state);
    }
    storeOutputStyle(state);
}

bool exportPath(ExportState& state) {
    logLine("exportPath: %s\r\n", state.exportPath);
    std::string chosen;
    if (!exportUi().runExportDialog(state, chosen)) return false;
    if (!copyText(state.exportPath, chosen.c_str())) {
        exportUi().showMessage("pathTooLong", lastPathComponent(chosen.c_str()));
        return false;
    }
    char folder[kPathSize];
    copyText(folder, state.exportPath);
    stripLastComponent(folder);
    setFolderPath(folder);
    dropOutputExtension(state.exportPath);
    return true;
}

void doExport(ExportState& state) {
    logLine("doExport\r\n");
    // Every name is known before the first page is written: a run that would lose a page to a
    // repeated name, or write outside the chosen folder, writes nothing.
    NamingCheck naming = checkOutputNames(state);
    if (naming.problem != NamingProblem::none) {
        logLine("doExport: refused (%s): %s\r\n", namingProblemKey(naming.problem),
                naming.subject.c_str());
        exportUi().showMessage(namingProblemKey(naming.problem), naming.subject.c_str());
        return;
    }
    if (state.spreads == 1) reduceToSpreads(state);
    CMyArray list{};
    create(&list, kPageListCapacity, sizeof(int32_t));
    // The pages arrive ascending and distinct; skipping the duplicate search keeps a layout of
    // thousands of pages from costing a quadratic number of comparisons.
    list.duplicatesAllowed = 1;
    setupPgArray(&list, state.pageFlags, state.pageCount);

    bool flag = false;
    bool haveFlag = hostExportFlag(&flag);
    state.hostFlagSaved = flag ? 1 : 0;
    if (haveFlag && flag) hostSetExportFlag(false);
    state.styleHandle = findStyle(state.styleName);
    state.exporting = 1;

    ProgressEnd end = exportUi().runProgress(
        state.styleType == kStyleTypeEps ? "saveAsEPS" : "saveAsPDF", exportPage, &list, &state);
    // A refused page has told the user already; the log keeps where a run stopped.
    if (end != ProgressEnd::Done)
        logLine("doExport: run %s at page %d (%d pages listed)\r\n", progressEndName(end),
                static_cast<int>(state.currentPage), static_cast<int>(list.count));

    state.exporting = 0;
    if (haveFlag) hostSetExportFlag(state.hostFlagSaved != 0);
    release(&list);
}

static void reportPageFailure(const ExportState& state, int32_t result) {
    logLine("exportPage: page %d not written (%d): %s\r\n", static_cast<int>(state.currentPage),
            static_cast<int>(result), state.outputFile);
    exportUi().showMessage("exportFailed", failureDetail(state.outputFile, result).c_str());
}

// "kProgress" with the page's displayed name in place of its "%s" (the text is no format).
std::string progressText(const ExportState& state) {
    char text[kLocalizedSize], name[kNameSize];
    localize("kProgress", text, sizeof text);
    hostPageName(state.layoutId, state.currentPage, name, sizeof name);
    if (!name[0]) snprintf(name, sizeof name, "%d", static_cast<int>(state.currentPage));
    std::string line = text;
    size_t at = line.find("%s");
    if (at == std::string::npos) return line + " " + name;
    return line.replace(at, 2, name);
}

bool exportPage(void* progressDialog, void* pageItem, void*, void* owner) {
    if (!pageItem || !owner) return false;
    ExportState& state = *static_cast<ExportState*>(owner);
    int32_t page;
    memcpy(&page, pageItem, sizeof page);
    state.currentPage = static_cast<int16_t>(page);
    if (exportUi().showProgressText)
        exportUi().showProgressText(progressDialog, progressText(state).c_str());
    if (!composeFileName(state)) {
        // Never write a page under a cut name: it could be another page's file.
        exportUi().showMessage("pathTooLong", lastPathComponent(state.exportPath));
        return false;
    }
    if (!overwriteWarning(state)) return false;
    logLine("exportPage: %d\r\n", static_cast<int>(state.currentPage));
    state.exporting = 1;
    int32_t result = hostExportLayout(state.layoutId, state.styleType);
    state.exporting = 0;
    if (result == KXH_OUTPUT_CANCELLED) return false;
    // The overflow check stopped the page and said why.
    if (result == KXH_OUTPUT_ABORTED && state.stoppedForOverflow) return false;
    // The host's word alone is not enough: a success that left no file lost the page too.
    if (result == 0 && fileExists(state.outputFile)) return true;
    reportPageFailure(state, result);
    return false;
}

int32_t OutputSetupHook(KxhOutput output) {
    ExportState& state = exportState();
    if (state.exporting != 1) return 0;
    state.bleed = readBleed(state.styleHandle);

    int32_t spreadPages = 1;
    if (state.spreads == 1) {
        int32_t pages[1];
        spreadPages = std::max(1, hostSpreadPages(state.layoutId, state.currentPage, pages, 1));
    }
    if (state.areaMode == 1) {
        areaOutputSetup(state, output);
    } else {
        Fixed width = 0, height = 0;
        hostPageSize(state.layoutId, &width, &height);
        state.outputRect = hostPageRectInSpread(state.layoutId, state.currentPage);
        if (state.spreads == 1) {
            int64_t right = state.outputRect.right + int64_t(spreadPages - 1) * width;
            state.outputRect.right = static_cast<Fixed>(std::min<int64_t>(right, INT32_MAX));
        }
    }
    int32_t last = state.currentPage + (state.spreads == 1 ? spreadPages - 1 : 0);
    hostSetOutputPageRange(output, state.currentPage, last);
    applyOutputStyle(state, output);
    hostSetOutputFile(output, state.outputFile);
    return 0;
}
