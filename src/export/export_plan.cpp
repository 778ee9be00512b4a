#include "export/export_plan.h"

#include "export/export_host.h"
#include "export/file_naming.h"
#include "export/page_range.h"
#include "foundation/localize.h"

ExportPlan planExport(const ExportRequest& request) {
    ExportPlan plan{};
    NamingCheck check{};
    if (request.areaMode) {
        std::string file;
        check = areaFileName(request, file);
        plan.files.push_back({hostItemPage(request.currentBox), file});
    } else {
        PageSelection pages = pageSelection(request);
        RangeAmbiguity ambiguity;
        RangeParse parsed = parsePageRange(request.range.c_str(), pages, &ambiguity);
        if (parsed == RangeParse::Ambiguous) {
            plan.refusal = "ambiguousPageRange";
            plan.detail = ambiguityText(ambiguity);
            return plan;
        }
        if (parsed != RangeParse::Ok) {
            plan.refusal = "noValidPageNum";
            return plan;
        }
        // A typed ".pdf" or ".eps" gives way to the style's suffix.
        ExportRequest named = request;
        dropOutputExtension(named.exportPath);
        check = checkOutputNames(named, pages, &plan.files);
    }
    if (check.problem != NamingProblem::none) {
        plan.refusal = namingProblemKey(check.problem);
        plan.detail = check.subject;
        plan.files.clear();
    }
    return plan;
}

// A localised text with `value` in place of its "%d" (the text is no format).
static std::string withNumber(const char* key, size_t value) {
    char text[kLocalizedSize];
    localize(key, text, sizeof text);
    std::string line = text;
    size_t at = line.find("%d");
    if (at != std::string::npos) line.replace(at, 2, std::to_string(value));
    return line;
}

std::string planPreview(const ExportPlan& plan) {
    char text[kLocalizedSize];
    if (plan.refusal) {
        localize(plan.refusal, text, sizeof text);
        std::string line = text;
        if (!plan.detail.empty()) line += " " + plan.detail;
        for (char& c : line)
            if (c == '\n' || c == '\r') c = ' ';
        return line;
    }
    if (plan.files.empty()) {
        localize("previewNoFiles", text, sizeof text);
        return text;
    }
    std::string first = lastPathComponent(plan.files.front().file.c_str());
    std::string last = lastPathComponent(plan.files.back().file.c_str());
    // Pages that all go to one file (suffix "---") name it once.
    if (first == last) return first;
    return first + " \xE2\x80\xA6 " + last + " " + withNumber("previewCount", plan.files.size());
}
