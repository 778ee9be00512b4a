#pragma once
#include <cstdint>
#include <string>

#include "export/export_request.h"
#include "export/export_types.h"
#include "foundation/array.h"

// Page range text to page flags, and page flags to the ordered page list of a run.
// A range is items separated by ","; an item is a page or two pages joined by the first "-",
// as absolute numbers (state.absolute) or as the page names the host displays.

constexpr uint16_t kRangeInvalid = 0xFFFF;

// The pages a range selects in one layout.
struct PageSelection {
    int32_t layoutId;               // the layout
    int16_t pageCount;              // its pages
    int16_t absolute;               // 1: texts hold absolute page numbers; 0: page names
    std::vector<uint8_t> pageFlags; // pageCount + 1 entries; [p] = 1 selects absolute page p
};

// The request's layout and mode, no page selected yet.
PageSelection pageSelection(const ExportRequest& request);

// Sizes pageFlags to the layout (state.pageCount) and clears it. Done by every parse.
void clearPageFlags(PageSelection& state);

// 0, or kRangeInvalid at the first item that fails. An empty text selects nothing.
uint16_t parsePageRange(const char* text, PageSelection& state);
// 0, or -1 for an item that names no page of the layout or runs backwards.
int32_t parseRangeItem(const char* item, PageSelection& state);

// The text of the "all" button: every page of the layout, in the mode of `absolute`.
std::string fillAllPages(const PageSelection& state, bool absolute);

// False when the names text of "all" would miss pages (numbering that starts again repeats
// names): "all" then has to use absolute numbers.
bool namesSelectEveryPage(const PageSelection& state);

// Keeps one flag per spread, on the spread's first page.
void reduceToSpreads(PageSelection& state);

// Appends every flagged page to `list` (32-bit page numbers) in ascending order.
void setupPgArray(CMyArray* list, const std::vector<uint8_t>& pageFlags, int32_t pageCount);
