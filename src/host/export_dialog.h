#pragma once
#include <string>

#include "export/export_state.h"
#include "resources/dialog_ids.h"

// The system Save As dialog extended by the child template "EXPORTDLG": the user picks the
// folder and base name, the pages, the numbering mode, the output style and two naming options.
// True when confirmed: the state then holds the parsed pages and the style with its naming
// record, every file of the run has a usable name, and `path` is the path chosen (UTF-8, with
// whatever extension was typed). False when cancelled; the state keeps what the handlers
// already wrote.
bool runExportDialog(ExportState& state, std::string& path);

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
};

// Pixels by which the group is moved right to stand centred: half of what the dialog's width
// leaves beside the span from the "absolute" box to the "all" button, truncated toward zero.
int exportGroupShift(int dialogWidth, int absoluteLeft, int allRight);
