#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "export/export_request.h"
#include "export/export_types.h"
#include "foundation/array.h"

// Page range text to page flags, and page flags to the ordered page list of a run.
// A range is items separated by ","; an item is a page or two pages joined by a "-", as
// absolute numbers (state.absolute) or as the page names the host displays. Page names may hold
// "-" and "," themselves ("A-1", "1,2"): a text that then names pages in two ways is refused as
// ambiguous rather than read one way silently.

enum class RangeParse {
    Ok,        // the flags hold the pages named (none for an empty text)
    Invalid,   // an item names no page of the layout or runs backwards
    Ambiguous, // a names text that reads more than one way
};

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

// How a names range that reads two ways can be written so that it reads one way.
struct RangeAmbiguity {
    std::string typed;       // the part of the text that reads two ways, as typed
    std::string named[2];    // that part under each reading: "1-2" or "1"–"2" (a range)
    std::string absolute[2]; // the whole range under each reading, in absolute numbers
};

// Ambiguous fills `ambiguity` when given. The flags are set on Ok only. An empty text selects
// nothing.
[[nodiscard]] RangeParse parsePageRange(const char* text, PageSelection& state,
                                        RangeAmbiguity* ambiguity = nullptr);
// Flags the pages of one item; false for an item that names no page of the layout or runs
// backwards. A names item that reads two ways is read as the whole name when that names a page,
// else at its first "-".
[[nodiscard]] bool parseRangeItem(const char* item, PageSelection& state);

// The detail of the message "ambiguousPageRange": "ambiguousPageRangeHow" with what was typed,
// both readings and how to write each.
std::string ambiguityText(const RangeAmbiguity& ambiguity);

// True when the names text `name` reads as page `page` alone (the dialog proposes it then).
bool nameSelectsOnly(const PageSelection& state, const char* name, int32_t page);

// The text of the "all" button: every page of the layout, in the mode of `absolute`.
std::string fillAllPages(const PageSelection& state, bool absolute);

// False when the names text of "all" would miss pages (numbering that starts again repeats
// names): "all" then has to use absolute numbers.
bool namesSelectEveryPage(const PageSelection& state);

// Keeps one flag per spread, on the spread's first page.
void reduceToSpreads(PageSelection& state);

// Appends every flagged page to `list` (32-bit page numbers) in ascending order.
void setupPgArray(CMyArray* list, const std::vector<uint8_t>& pageFlags, int32_t pageCount);
