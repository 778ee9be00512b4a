#pragma once
#include <cstdint>
#include <string>

#include "export/export_types.h"

// What the user asks of an export: the run proposes it to the export dialog, the dialog hands
// back the confirmed choice, and the run's plan is made from it alone.
struct ExportRequest {
    // The layout, as it stood when the run began.
    int32_t layoutId;            // the host's id of the layout exported
    int16_t pageCount;           // its pages, at most kMaxPageCount
    int16_t currentPage;         // the page shown; the dialog proposes it
    ItemHandle currentBox;       // the selected box; in area mode its area is exported
    char projectName[kNameSize]; // the project's file name without its extension
    char layoutName[kNameSize];  // the layout's name
    char projectPath[kPathSize]; // where the project is saved; empty when it never was
    // The choice.
    int16_t areaMode;               // 1: the area of currentBox; 0: the pages of range
    std::string range;              // the page range as typed (UTF-8); unused in area mode
    int16_t absolute;               // 1: range holds absolute page numbers; 0: page names
    int16_t offset;                 // with absolute: added to a page's number in its file name
    char styleName[kStyleNameSize]; // the output style; empty for none
    StyleHandle styleHandle;        // that style, null when the host has none of that name
    uint32_t styleType;             // its type (kStyleTypeEps, ...), the files' kind
    int16_t spreads;                // 1: the style exports spreads, one file per spread
    FWiz naming;                    // the style's naming, with the dialog's base and margins
    char exportPath[kPathSize];     // proposed or chosen path (UTF-8), chosen with its extension
};
