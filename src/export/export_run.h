#pragma once
#include <cstdint>
#include <string>

#include "export/export_state.h"
#include "kxh_base.h"

// The export run: the menu commands start it, the export dialog fills its state, the progress
// dialog drives its page loop and the host calls its output set-up hook for every page.

// Both menu commands: the pages of the current layout, or the area of its selected box.
void exportPages(bool areaMode);

// Logs the proposed path and runs the export dialog; on confirmation keeps the path it hands
// back (without extension) and stores its folder. True when confirmed.
bool exportPath(ExportState& state);

// The page loop over the flagged pages.
void doExport(ExportState& state);

// One progress step (owner: the ExportState). False stops the run.
bool exportPage(void* progressDialog, void* pageItem, void* nextItem, void* owner);

// The progress dialog's line for state.currentPage: "kProgress" with the page's name.
std::string progressText(const ExportState& state);

// Message 681: page range, output style and output file for the page being exported.
int32_t OutputSetupHook(KxhOutput output);
