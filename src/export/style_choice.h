#pragma once
#include <string>
#include <vector>

#include "export/export_state.h"

// Which output style a run uses, the list the user chooses from, how the choice is remembered
// (preference OutputStyle and the layout's own data) and how it is applied to each output.

constexpr const char* kStyleListSeparator = "-";

// styleName = the preference, else the name stored with the layout, else empty.
void readOutputStyle(ExportState& state);
// The default EPS style and the other EPS styles, "-", the default PDF style and the other PDF
// styles, in the host's order. Names too long for styleName are left out (never cut); the first
// of them goes to leftOut when it is given.
std::vector<std::string> fillStyleList(std::string* leftOut = nullptr);
// Remembers styleName in the preferences (file written) and with the layout.
void storeOutputStyle(const ExportState& state);
// Applies styleHandle to the output being set up; a host error is logged and shown.
void applyOutputStyle(const ExportState& state, KxhOutput output);

// The style of that name with everything the run takes from it: styleName, styleHandle,
// styleType, spreads and the file-naming fields. False, with the state unchanged, for a name
// longer than styleName holds.
bool chooseStyle(ExportState& state, const char* name);
