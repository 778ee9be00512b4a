#pragma once
// The host's Print dialog: output style and page range of the user's own output.
#include <windows.h>

#include <string>

namespace refhost {

struct PrintChoice {
    std::string style;
    std::string from, to; // page names or absolute numbers; empty: the style's default range
};

// Control ids: 201 style list, 202 first page, 203 last page, 1001 OK, 1002 Cancel. The test
// scripts read them by name (tools/lib.sh, kx_ids).
constexpr int kPrintStyleId = 201, kPrintFromId = 202, kPrintToId = 203;

// true when confirmed.
bool runPrintDialog(HWND parent, PrintChoice& choice);

} // namespace refhost
