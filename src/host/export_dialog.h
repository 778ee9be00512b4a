#pragma once
#include <string>

#include "export/export_state.h"

// The system Save As dialog extended by the child template "EXPORTDLG": the user picks the
// folder and base name, the pages, the numbering mode, the output style and two naming options.
// True when confirmed: the state then holds the parsed pages and the style with its naming
// record, every file of the run has a usable name, and `path` is the path chosen (UTF-8, with
// whatever extension was typed). False when cancelled; the state keeps what the handlers
// already wrote.
bool runExportDialog(ExportState& state, std::string& path);

// Control ids of the child template.
enum ExportDialogControl {
    kExportPlaceHolder = 1119,
    kExportRange = 3,
    kExportAll = 4,
    kExportAbsolute = 5,
    kExportOffset = 6,
    kExportBaseName = 7,
    kExportPageMargins = 8,
    kExportStyle = 9,
    kExportEditStyle = 10,
};

// Pixels by which the group is moved right to stand centred: half of what the dialog's width
// leaves beside the span from the "absolute" box to the "all" button, truncated toward zero.
int exportGroupShift(int dialogWidth, int absoluteLeft, int allRight);
