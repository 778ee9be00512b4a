#include "export/export_plan.h"

#include "export/export_host.h"
#include "export/file_naming.h"
#include "export/page_range.h"
#include "foundation/paths.h"

ExportPlan planExport(const ExportRequest& request) {
    ExportPlan plan{};
    NamingCheck check{};
    if (request.areaMode) {
        std::string file;
        check = areaFileName(request, file);
        plan.files.push_back({hostItemPage(request.currentBox), file});
    } else {
        PageSelection pages = pageSelection(request);
        if (parsePageRange(request.range.c_str(), pages) != 0) {
            plan.refusal = "noValidPageNum";
            return plan;
        }
        // The typed extension gives way to the style's suffix.
        ExportRequest named = request;
        replaceExtension(named.exportPath, sizeof named.exportPath, "");
        check = checkOutputNames(named, pages, &plan.files);
    }
    if (check.problem != NamingProblem::none) {
        plan.refusal = namingProblemKey(check.problem);
        plan.detail = check.subject;
        plan.files.clear();
    }
    return plan;
}
