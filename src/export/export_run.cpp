#include "export/export_run.h"

#include <algorithm>
#include <cstdint>
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
#include "foundation/localize.h"
#include "foundation/log.h"
#include "foundation/paths.h"
#include "host/settings.h"

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

// True to go on. With AbortOnOverflow every output of the layout would be stopped, so the
// run ends at once with that message instead of asking.
static bool overflowAccepted(int32_t layout, bool areaMode) {
    ItemHandle box = findOverflow(layout, areaMode);
    if (!box) return true;
    if (getAbortOnOverflow() == 1) {
        exportUi().showMessage("overflowErr2", nullptr);
        hostSelectAndShow(layout, box);
        return false;
    }
    if (exportUi().askYesNo("overflowErr", nullptr) == 1) return true;
    hostSelectAndShow(layout, box);
    return false;
}

static void exportAreaAndShow(ExportState& state) {
    char folder[kPathSize];
    copyText(folder, state.outputFile);
    stripLastComponent(folder);
    setFolderPath(folder);
    int32_t result = exportArea(state);
    if (result == KXH_OUTPUT_CANCELLED) return;
    if (result != 0) {
        // The host leaves no file behind a failed output: there is nothing to show.
        exportUi().showMessage("areaExportFailed", state.outputFile);
        return;
    }
    if (getShowAfterExport() == 1 && exportUi().openFile) exportUi().openFile(state.outputFile);
}

void exportPages(bool areaMode) {
    int32_t layout = hostCurrentLayout();
    if (layout < 0) return;
    // The area is the selected box's; without one there is nothing to export.
    if (areaMode && !hostCurrentItem(layout)) return;
    if (!overflowAccepted(layout, areaMode)) return;

    ExportState& state = exportState();
    resetExportState(state);
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
        if (!exportUi().runExportDialog(state)) return;
        exportAreaAndShow(state);
    } else {
        if (!exportPath(state)) return;
        doExport(state);
    }
    storeOutputStyle(state);
}

bool setDialogPath(ExportState& state, const char* path) {
    return copyText(state.exportPath, path ? path : "");
}

bool exportPath(ExportState& state) {
    logLine("exportPath: %s\r\n", state.exportPath);
    if (!exportUi().runExportDialog(state)) return false;
    char folder[kPathSize];
    copyText(folder, state.exportPath);
    stripLastComponent(folder);
    setFolderPath(folder);
    replaceExtension(state.exportPath, sizeof state.exportPath, "");
    return true;
}

void doExport(ExportState& state) {
    logLine("doExport\r\n");
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

    exportUi().runProgress(state.styleType == kStyleTypeEps ? "saveAsEPS" : "saveAsPDF", exportPage,
                           &list, &state);

    state.exporting = 0;
    if (haveFlag) hostSetExportFlag(state.hostFlagSaved != 0);
    release(&list);
}

bool exportPage(void*, void* pageItem, void*, void* owner) {
    if (!pageItem || !owner) return false;
    ExportState& state = *static_cast<ExportState*>(owner);
    int32_t page;
    memcpy(&page, pageItem, sizeof page);
    state.currentPage = static_cast<int16_t>(page);
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
    return result != KXH_OUTPUT_CANCELLED;
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
