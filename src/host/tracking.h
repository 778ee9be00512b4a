#pragma once
#include <cstdint>
#include <vector>

#include "foundation/encoding.h"
#include "kxh_api.h"

// The tracking history that each document carries as the plug-in's data block (UTF-8 entries
// "<date>, <time>\t<word>\r", oldest first), and the job slug stamped into layouts at output.

// Appends an entry for `word` ("Open", "Save", "Output") when Tracking is on and marks the
// document changed. False when nothing was recorded (tracking off, unknown document, memory).
bool addTrackingEntry(int32_t document, const char* word);
// The history as UTF-16: empty without one; bytes that are no UTF-8 become U+FFFD.
WideText trackingText(int32_t document);
// The history as an edit field shows it: entries end in a lone CR, at which the field does not
// break lines, so an LF follows each CR that has none.
WideText trackingDisplayText(const WideText& text);
// Removes the history and marks the document changed.
void removeTrackingHistory(int32_t document);
// The document of the frontmost layout, or -1.
int32_t frontDocument();

// "<date>, <time>" in the user's formats.
WideText jobSlugStamp();
// Replaces the text of every text box named exactly "JobSlug" of `layout` by a fresh stamp.
// Returns the number of boxes stamped; `stamped`, when given, receives them.
int32_t stampJobSlugs(int32_t layout, std::vector<KxhItem>* stamped = nullptr);

// The job slug of one output. The output-start hook stamps, so that the overflow check there
// sees the text that goes out; the announcement of that output then leaves the stamp alone
// (a later stamp could be longer, past a minute like 9:59). A host that announces an output
// without starting it the hook's way gets its stamp at the announcement.
std::vector<KxhItem> stampJobSlugsAtOutputStart(KxhOutput output);
// Called when that output was stopped before the announcement could come.
void forgetOutputStartStamp();
// True (once) when the output of `layout` being announced was stamped at its start.
bool takeOutputStartStamp(int32_t layout);

// The menu commands, on the frontmost document.
void showTracking();
void copyTracking();
void deleteTracking();
