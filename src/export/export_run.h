#pragma once
#include <cstdint>
#include <string>

#include "export/export_plan.h"
#include "export/export_request.h"
#include "kxh_base.h"

// The export run: a menu command proposes a request, the export dialog hands back the user's
// choice, planExport names every file, and the progress dialog drives the page loop over the
// plan while the host calls the output set-up hook for every page.

// Both menu commands: the pages of the current layout, or the area of its selected box.
void exportPages(bool areaMode);

// The request the dialog starts from: the layout, the remembered style and the proposed path.
ExportRequest proposeExport(int32_t layout, bool areaMode);

// Writes the plan's files, one page after the other; a refused plan writes nothing and says
// why. overflowAccepted: the user let overflowing text go out when the run started.
void doExport(const ExportRequest& request, const ExportPlan& plan, bool overflowAccepted);

// One progress step (owner: the run of doExport). False stops the run.
bool exportPage(void* progressDialog, void* planIndex, void* nextItem, void* owner);

// The progress dialog's line for a page: "kProgress" with the page's name.
std::string progressText(int32_t layout, int32_t page);

// Message 681: page range, output style and output file for the page being exported.
int32_t OutputSetupHook(KxhOutput output);
