#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "export/export_request.h"

// The plan of a run: every file it will write, known before the first is written. The export
// dialog checks the user's choice with it (and previews it); the run writes exactly it.

// One output of a run.
struct PlannedFile {
    int32_t page;     // the absolute page output (the first of its spread with spreads)
    std::string file; // the full path of its file (UTF-8), shorter than kPathSize
};

struct ExportPlan {
    const char* refusal;            // null, or the key of the message that refuses the run
    std::string detail;             // that message's second line: the page, file or style
    std::vector<PlannedFile> files; // page mode: in page order; area mode: the area's file
};

// The plan of a confirmed (or, for the preview, a proposed) request: the flagged pages of its
// range and their files, or the area's file; or why the run is refused (an invalid range, a
// style whose naming is unusable, a page name that is no file name, names that repeat, a path
// too long). A refused plan has no files; an empty range plans none.
ExportPlan planExport(const ExportRequest& request);

// The export dialog's one-line preview of a plan, in the user's language: "first … last
// (N files)", the name alone for one file, or the refusal's text with its detail.
std::string planPreview(const ExportPlan& plan);
