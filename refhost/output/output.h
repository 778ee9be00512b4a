// One output of a layout (EPS, PDF or plain PostScript for the "Print" type) and the hooks
// plug-ins see while it runs.
//
// Order of one output (runOutput):
//   1. set-up hook (681): page range, output style, output file and clip region may be set
//   2. output-start hook (93): a set abort flag ends the output here, nothing is written
//   3. announce (282): the layout is being output (job slug edits land in this output)
//   4. the PostScript is written to memory:
//        header comments ... header hook (145, phase 1) ... %%EndComments
//        per output page (a page, or a spread when the style exports spreads):
//          %%Page, page set-up: the page coordinate system is put in force
//          page boxes hook (151)      <- before the items are drawn
//          the items
//          page marks hook (155)      <- after the items, before showpage
//        The page coordinate system is that of the spread holding the page (origin at the
//        spread's top-left corner, so a right-hand page begins at x = page width), y grows
//        downwards, one unit is one point; it is placed so that the output page or spread
//        has its top-left corner at (bleed, bleed) from the media's top-left corner. A clip
//        region changes only the EPS bounding box, never this placement.
//   5. EPS and Print: the stream goes to a temporary file renamed to the output file.
//      PDF: the stream is distilled by Ghostscript into a temporary file renamed to the
//      output file. A failed output leaves no output file behind.
#pragma once

#include "model/document.h"
#include "model/output_style.h"
#include "kxh_tables.h"

#include <cstdint>
#include <string>

namespace refhost {

// Results of runOutput.
enum OutputResult : int {
    kOutputOk = 0,
    kOutputAborted = 1,          // the output-start hook set its abort flag; no file written
    kOutputBadRequest = 2,       // no layout, bad page range, EPS range of several pages
    kOutputNoFile = 3,           // no output file was set
    kOutputWriteFailed = 4,      // the file (or its temporary) could not be written
    kOutputDistillerMissing = 5, // the distiller program was not found
    kOutputDistillerFailed = 6,  // the distiller ran but failed
    kOutputBusy = 7,             // an output is already running (started from inside a hook)
    kOutputStyleMismatch = 8,    // the applied style is of another type than the output
    kOutputDiskFull = 9,         // the disk (the output's or the temporary folder's) is full
    kOutputPageSize = 10,        // a PDF page with its bleed is below 3 or above 14400 pt
    kOutputCancelled = 32767,    // the user cancelled; no other case returns this
};

struct OutputJob {
    Document* document = nullptr;
    Layout* layout = nullptr;
    uint32_t type = kTypeNone;       // kTypeEps, kTypePdf, kTypeNone (PostScript)
    bool userInitiated = false;      // the host's own print, not started through the plug-in call
    int32_t callerArgument = 0;      // passed through from the export call
    int firstPage = 0, lastPage = 0; // absolute pages; 0 until set (see runOutput defaults)
    OutputStyle* style = nullptr;    // applied style; nullptr: the default of the type
    std::string outputFile;          // UTF-8
    bool hasClip = false;
    Rect clip; // in the coordinates of the spread being output
    // Valid while the PostScript is written.
    std::string* stream = nullptr;
    int currentPage = 0; // the output page's (first) absolute page, during page hooks
    Rect currentRect;    // that page or spread in spread coordinates
    double bleed = 0;    // points, from the applied style
};

// The output in progress, or nullptr.
OutputJob* currentOutputJob();

// Operations the hooks use on the running output. They return false when the value is refused.
bool setOutputPageRange(OutputJob& job, int first, int last); // 1 <= first <= last <= pageCount
bool applyOutputStyle(OutputJob& job, OutputStyle* style);    // type must match the output's
void setOutputFile(OutputJob& job, const std::string& path);
void setOutputClip(OutputJob& job, const Rect* clip);                         // nullptr clears
bool appendOutputPostScript(OutputJob& job, const char* text, size_t length); // only while writing
// The output settings record (KXH_OUTPUT_SETTINGS_SIZE bytes); KXH_OUTSET_PROCESS_COLORS in
// byte 0 = the style's "ProcessColors".
void outputSettingsRecord(const OutputJob& job, uint8_t record[KXH_OUTPUT_SETTINGS_SIZE]);

// ---- hooks: the host connects its plug-in dispatch here ----
enum class OutputHook : int32_t {
    Setup = 681,
    Start = 93,
    Announce = 282,
    Header = 145,
    PageMarks = 155,
    PageBoxes = 151,
};

struct OutputHookCall {
    OutputHook hook;
    OutputJob* job = nullptr;
    int32_t phase = 0;  // Header: 1 while the header comments are written
    bool abort = false; // Start: set to stop the output
    int page = 0;       // PageMarks/PageBoxes: absolute (first) page of the output page
};
using OutputHookDispatch = void (*)(void* owner, OutputHookCall& call);
void setOutputHookDispatch(OutputHookDispatch dispatch, void* owner);

struct OutputRequest {
    Layout* layout = nullptr;
    uint32_t type = kTypeNone;
    bool userInitiated = false;
    int32_t callerArgument = 0;
    OutputStyle* style = nullptr;    // preset before the set-up hook
    int firstPage = 0, lastPage = 0; // preset range; 0 = not set
    std::string outputFile;          // preset file
};

// Runs one output. Defaults after the set-up hook: style = default of the type; range = the
// layout's current page (EPS) or all pages (PDF, Print). error receives a readable reason.
int runOutput(const OutputRequest& request, std::string* error);

// What the outputs of the session cost, for benchmarks.
struct OutputTimings {
    long outputs = 0;
    double outputSeconds = 0; // inside runOutput, hooks included
    double hookSeconds = 0;   // inside the plug-ins' hooks
    // From the start of the first output to the end of the last: less outputSeconds, what a
    // run costs between its outputs (the caller's own work, its progress dialog).
    double firstStart = 0;
    double lastEnd = 0;
};
const OutputTimings& outputTimings();

// After a PDF is written and the PDF service's export flag (pdfOpenAfterExport) is on, the
// file is handed to this opener (the shell's default verb unless replaced, e.g. by tests).
using FileOpener = void (*)(const std::string& path);
void setPdfOpener(FileOpener opener);

} // namespace refhost
