#pragma once
#include <string>
#include <vector>

#include "export/export_request.h"
#include "export/run_context.h"

// Which output style a run uses, the list the user chooses from, how the choice is remembered
// (preference OutputStyle and the layout's own data) and how it is applied to each output.

constexpr const char* kStyleListSeparator = "-";

// styleName = the preference, else the name stored with the layout, else empty.
void readOutputStyle(ExportRequest& state);
// The default EPS style and the other EPS styles, "-", the default PDF style and the other PDF
// styles, in the host's order. Names too long for styleName are left out (never cut); the first
// of them goes to leftOut when it is given.
std::vector<std::string> fillStyleList(std::string* leftOut = nullptr);
// Remembers styleName in the preferences (file written) and with the layout.
void storeOutputStyle(const ExportRequest& state);
// Applies the run's style to the output being set up; a host error is logged and shown.
void applyOutputStyle(const RunContext& state, KxhOutput output);

// The style of that name with everything the run takes from it: styleName, styleHandle,
// styleType, spreads and the file-naming record. False, with the state unchanged, for a name
// longer than styleName holds.
bool chooseStyle(ExportRequest& state, const char* name);
