#pragma once
#include <cstdint>

#include "export/export_request.h"
#include "export/export_types.h"

// What the output hooks read, and write back, while the host writes a file for a Kestrix run.
// The run fills one for its outputs; it is active, and so seen by the hooks, only while the
// host's export runs (runHostExport). Outputs the host starts on its own find none.
struct RunContext {
    int32_t layoutId;                // the layout being output
    int16_t areaMode;                // 1: the area of currentBox; 0: pages
    int16_t spreads;                 // 1: the whole spread of currentPage is output
    int16_t currentPage;             // the page output (the first of its spread with spreads)
    ItemHandle currentBox;           // area mode: the box whose area is output
    char styleName[kStyleNameSize];  // the output style, for the log
    StyleHandle styleHandle;         // the output style applied to each output
    uint32_t styleType;              // kStyleTypeEps or kStyleTypePdf: the kind of file
    uint8_t pageMargins;             // 1: a frame is drawn around the page
    char outputFile[kPathSize];      // the file the host writes
    Fixed bleed;                     // the style's bleed, read at each output's set-up
    FixedRect outputRect;            // the page, spread or area output, in spread coordinates
    FixedRect bleedRect;             // area mode: outputRect grown by the bleed
    char trimBoxText[kBoxTextSize];  // area mode: the TrimBox, in points of the output media
    char bleedBoxText[kBoxTextSize]; // area mode: the BleedBox (and CropBox)
    // The job slug stamped at an output's start may not fit its box, which the run's own check
    // could not see: the user let such text go out (Yes), or the output was stopped for it.
    uint8_t slugOverflowAccepted;
    uint8_t stoppedForOverflow;
};

// The context of a confirmed request: its layout, box, style and page margins; no file yet.
RunContext runContextFor(const ExportRequest& request);

// The host's export of run.layoutId as run.styleType, with `run` active while it lasts.
// Returns the host's result.
int32_t runHostExport(RunContext& run);

// The active context, or null when the host is not writing for Kestrix.
RunContext* activeRun();
// Makes `run` (or none) the active context; runHostExport does it around the host's export.
void setActiveRun(RunContext* run);
