#pragma once

// What the user answered a Yes/No question with, and how a run under the progress dialog ended.
// The numbers are those the dialogs end with (button 1 or 2, IDCANCEL for a cancelled run).

enum class Answer {
    Yes = 1, // "Yes"
    No = 2,  // "No", Escape or the close box
};

enum class ProgressEnd {
    Refused = 0,   // a step returned false
    Done = 1,      // every item processed (or there was none)
    Cancelled = 2, // Cancel, Escape or the close box
};

// For the trace log.
constexpr const char* progressEndName(ProgressEnd end) {
    return end == ProgressEnd::Done      ? "done"
           : end == ProgressEnd::Refused ? "refused"
                                         : "cancelled";
}
