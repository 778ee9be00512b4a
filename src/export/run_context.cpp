#include "export/run_context.h"

#include "export/export_host.h"
#include "export/style_settings.h"
#include "export/text_fields.h"

static RunContext* gActive = nullptr;

RunContext runContextFor(const ExportRequest& request) {
    RunContext run{};
    run.layoutId = request.layoutId;
    run.areaMode = request.areaMode;
    run.spreads = request.spreads;
    run.currentPage = request.currentPage;
    run.currentBox = request.currentBox;
    copyText(run.styleName, request.styleName);
    run.styleHandle = findStyle(request.styleName);
    run.styleType = request.styleType;
    run.pageMargins = request.naming.pageMargins;
    return run;
}

int32_t runHostExport(RunContext& run) {
    RunContext* outer = gActive;
    gActive = &run;
    int32_t result = hostExportLayout(run.layoutId, run.styleType);
    gActive = outer;
    return result;
}

RunContext* activeRun() {
    return gActive;
}

void setActiveRun(RunContext* run) {
    gActive = run;
}
