#pragma once
#include <windows.h>

#include <cstdint>

#include "foundation/answers.h"
#include "foundation/array.h"

// A modal progress dialog that drives a job, one item per step: each timer tick runs steps back
// to back until about 100 ms have passed or input or a message is waiting. The bar and the line
// are painted a few times a second and when the job ends, not per item.

// (dialog, current item, next item, owner data) -> true goes on, false stops the job.
typedef bool (*ProgressStepProc)(HWND dialog, void* current, void* next, void* ownerData);

// Runs `stepProc` over the elements of `items` (an item is an element's address). The first
// call, when the dialog opens, is (null, first item); then (item, next item) per step, the next
// item being null for the last one. An empty list shows nothing and answers Done.
[[nodiscard]] ProgressEnd runProgress(const char* title, ProgressStepProc stepProc,
                                      const CMyArray* items, void* ownerData);

constexpr int kProgressMessageId = 4; // a free line of text for the steps

// Shows `text` (UTF-8, no string-table look-up) in that line of the running dialog: at once
// when the dialog last showed a while ago, otherwise at its next showing (at the latest when
// the job ends or a box a step opened is up).
void setProgressLine(HWND dialog, const char* text);
