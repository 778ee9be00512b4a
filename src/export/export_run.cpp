#include "export/export_run.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <optional>
#include <string>

#include "export/area_export.h"
#include "export/export_host.h"
#include "export/export_ui.h"
#include "export/file_naming.h"
#include "export/overflow_check.h"
#include "export/page_range.h"
#include "export/run_context.h"
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

static void readProjectAndLayout(ExportRequest& state) {
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

// The folder of the chosen path is proposed next time.
static void rememberFolder(const char* path) {
    char folder[kPathSize];
    copyText(folder, path);
    stripLastComponent(folder);
    setFolderPath(folder);
}

// False, with the refusal shown, when the plan refuses the run.
static bool planAccepted(const ExportPlan& plan) {
    if (!plan.refusal) return true;
    logLine("doExport: refused (%s): %s\r\n", plan.refusal, plan.detail.c_str());
    exportUi().showMessage(plan.refusal, plan.detail.empty() ? nullptr : plan.detail.c_str());
    return false;
}

static void exportAreaAndShow(const ExportRequest& request, const ExportPlan& plan,
                              bool overflowAccepted) {
    if (!planAccepted(plan) || plan.files.empty()) return;
    RunContext state = runContextFor(request);
    // Text the user let go out includes a job slug stamp that turns out not to fit.
    state.slugOverflowAccepted = overflowAccepted ? 1 : 0;
    copyText(state.outputFile, plan.files[0].file.c_str());
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

    ExportRequest proposal = proposeExport(layout, areaMode);
    if (!areaMode) logLine("exportPath: %s\r\n", proposal.exportPath);
    std::optional<ExportRequest> request = exportUi().runExportDialog(proposal);
    if (!request) return;
    rememberFolder(request->exportPath);
    // The dialog confirmed a plan made the same way from the same request.
    ExportPlan plan = planExport(*request);
    if (areaMode)
        exportAreaAndShow(*request, plan, accepted);
    else
        doExport(*request, plan, accepted);
    storeOutputStyle(*request);
}

ExportRequest proposeExport(int32_t layout, bool areaMode) {
    ExportRequest state{};
    state.areaMode = areaMode ? 1 : 0;
    state.layoutId = layout;
    readOutputStyle(state);
    state.pageCount = static_cast<int16_t>(std::clamp(hostPageCount(layout), 0, kMaxPageCount));
    state.currentBox = hostCurrentItem(layout);
    state.currentPage = hostCurrentPage(layout);
    readProjectAndLayout(state);
    defaultExportPath(state);
    return state;
}

namespace {

// The page loop's own data: the plan it writes and the context of the page being written.
struct PageRun {
    const ExportPlan* plan;
    RunContext context;
};

} // namespace

void doExport(const ExportRequest& request, const ExportPlan& plan, bool overflowAccepted) {
    logLine("doExport\r\n");
    // Every name is known before the first page is written: a run that would lose a page to a
    // repeated name, or write outside the chosen folder, writes nothing.
    if (!planAccepted(plan)) return;
    CMyArray list{};
    create(&list, kPageListCapacity, sizeof(int32_t));
    // The outputs arrive in order and distinct; skipping the duplicate search keeps a layout of
    // thousands of pages from costing a quadratic number of comparisons.
    list.duplicatesAllowed = 1;
    for (int32_t i = 0; i < static_cast<int32_t>(plan.files.size()); i++)
        append(&list, &i);

    bool flag = false;
    bool haveFlag = hostExportFlag(&flag);
    if (haveFlag && flag) hostSetExportFlag(false);
    PageRun run{&plan, runContextFor(request)};
    run.context.slugOverflowAccepted = overflowAccepted ? 1 : 0;

    ProgressEnd end = exportUi().runProgress(
        request.styleType == kStyleTypeEps ? "saveAsEPS" : "saveAsPDF", exportPage, &list, &run);
    // A refused page has told the user already; the log keeps where a run stopped.
    if (end != ProgressEnd::Done)
        logLine("doExport: run %s at page %d (%d pages listed)\r\n", progressEndName(end),
                static_cast<int>(run.context.currentPage), static_cast<int>(list.count));

    if (haveFlag) hostSetExportFlag(flag);
    release(&list);
}

static void reportPageFailure(const RunContext& state, int32_t result) {
    logLine("exportPage: page %d not written (%d): %s\r\n", static_cast<int>(state.currentPage),
            static_cast<int>(result), state.outputFile);
    exportUi().showMessage("exportFailed", failureDetail(state.outputFile, result).c_str());
}

// "kProgress" with the page's displayed name in place of its "%s" (the text is no format).
std::string progressText(int32_t layout, int32_t page) {
    char text[kLocalizedSize], name[kNameSize];
    localize("kProgress", text, sizeof text);
    hostPageName(layout, page, name, sizeof name);
    if (!name[0]) snprintf(name, sizeof name, "%d", static_cast<int>(page));
    std::string line = text;
    size_t at = line.find("%s");
    if (at == std::string::npos) return line + " " + name;
    return line.replace(at, 2, name);
}

bool exportPage(void* progressDialog, void* planIndex, void*, void* owner) {
    if (!planIndex || !owner) return false;
    PageRun& run = *static_cast<PageRun*>(owner);
    int32_t index;
    memcpy(&index, planIndex, sizeof index);
    if (index < 0 || index >= static_cast<int32_t>(run.plan->files.size())) return false;
    const PlannedFile& planned = run.plan->files[static_cast<size_t>(index)];
    RunContext& state = run.context;
    state.currentPage = static_cast<int16_t>(planned.page);
    if (exportUi().showProgressText)
        exportUi().showProgressText(progressDialog,
                                    progressText(state.layoutId, state.currentPage).c_str());
    copyText(state.outputFile, planned.file.c_str()); // planned to fit
    if (!overwriteWarning(state.outputFile)) return false;
    logLine("exportPage: %d\r\n", static_cast<int>(state.currentPage));
    int32_t result = runHostExport(state);
    if (result == KXH_OUTPUT_CANCELLED) return false;
    // The overflow check stopped the page and said why.
    if (result == KXH_OUTPUT_ABORTED && state.stoppedForOverflow) return false;
    // The host's word alone is not enough: a success that left no file lost the page too.
    if (result == 0 && fileExists(state.outputFile)) return true;
    reportPageFailure(state, result);
    return false;
}

int32_t OutputSetupHook(KxhOutput output) {
    RunContext* run = activeRun();
    if (!run) return 0;
    RunContext& state = *run;
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
