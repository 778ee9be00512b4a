#pragma once
#include <cstdint>
#include <string>

#include "export/export_state.h"
#include "foundation/array.h"

// Page range text to page flags, and page flags to the ordered page list of a run.
// A range is items separated by ","; an item is a page or two pages joined by the first "-",
// as absolute numbers (state.absolute) or as the page names the host displays.

constexpr uint16_t kRangeInvalid = 0xFFFF;

// Sizes pageFlags to the layout (state.pageCount) and clears it. Done by every parse.
void clearPageFlags(ExportState& state);

// 0, or kRangeInvalid at the first item that fails. An empty text selects nothing.
uint16_t parsePageRange(const char* text, ExportState& state);
// 0, or -1 for an item that names no page of the layout or runs backwards.
int32_t parseRangeItem(const char* item, ExportState& state);

// The text of the "all" button: every page of the layout, in the mode of `absolute`.
std::string fillAllPages(const ExportState& state, bool absolute);

// False when the names text of "all" would miss pages (numbering that starts again repeats
// names): "all" then has to use absolute numbers.
bool namesSelectEveryPage(const ExportState& state);

// Keeps one flag per spread, on the spread's first page.
void reduceToSpreads(ExportState& state);

// Appends every flagged page to `list` (32-bit page numbers) in ascending order.
void setupPgArray(CMyArray* list, const std::vector<uint8_t>& pageFlags, int32_t pageCount);
