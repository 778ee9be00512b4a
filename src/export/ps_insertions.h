#pragma once
#include <cstdint>

#include "kxh_base.h"

// PostScript that Kestrix hands to the host's output stream while the host writes. Except for
// the process colour comment, nothing is written unless the output is one Kestrix started.

// Formats into a 4096-byte buffer (longer results are cut) and passes the text to the stream.
void writePS(KxhOutput output, const char* format, ...)
#if defined(__GNUC__)
    __attribute__((format(printf, 2, 3)))
#endif
    ;

// phase 1: the process colour comment (preference AddBlack); every phase of our own output:
// the program's name and version.
int32_t HeaderCommentsHook(KxhOutput output, int32_t phase);
// Area exports to PDF: the CropBox, BleedBox and TrimBox pdfmarks.
int32_t PageBoxesHook(KxhOutput output);
// EPS: the TrimBox in default user space; with pageMargins: the frame around the page.
int32_t PageMarksHook(KxhOutput output);

constexpr int kPostScriptBufferSize = 4096;
