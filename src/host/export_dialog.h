#pragma once
#include <optional>

#include "export/export_request.h"
#include "resources/dialog_ids.h"

// The system Save As dialog extended by the child template "EXPORTDLG": the user picks the
// folder and base name, the pages, the numbering mode, the output style and two naming options;
// a line below shows the files the run will write, or why it would be refused.
// Opens with the proposal; when confirmed, hands back the user's choice (range, numbering mode,
// style with its naming, the path chosen, UTF-8, with whatever extension was typed), whose
// plan names every file of the run. Nothing when cancelled.
std::optional<ExportRequest> runExportDialog(const ExportRequest& proposal);

// Control ids of the child template.
enum ExportDialogControl {
    kExportPlaceHolder = IDC_EXPORT_PLACEHOLDER,
    kExportRange = IDC_EXPORT_RANGE,
    kExportAll = IDC_EXPORT_ALL,
    kExportAbsolute = IDC_EXPORT_ABSOLUTE,
    kExportOffset = IDC_EXPORT_OFFSET,
    kExportBaseName = IDC_EXPORT_BASE_NAME,
    kExportPageMargins = IDC_EXPORT_PAGE_MARGINS,
    kExportStyle = IDC_EXPORT_STYLE,
    kExportEditStyle = IDC_EXPORT_EDIT_STYLE,
    kExportPreview = IDC_EXPORT_PREVIEW, // the line that shows what the run will write
};

// Pixels by which the group is moved right to stand centred: half of what the dialog's width
// leaves beside the span from the "absolute" box to the "all" button, truncated toward zero.
int exportGroupShift(int dialogWidth, int absoluteLeft, int allRight);
