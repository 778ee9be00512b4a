#pragma once
#include <cstdint>
#include <optional>
#include <string>

#include "export/export_request.h"
#include "foundation/answers.h"
#include "foundation/array.h"

// The user interface the export run needs. The plug-in fills it from the dialog toolkit and the
// export dialog; tests fill it with their own. Keys are string-table keys; a detail, when given,
// is shown as a second line of the box.
typedef bool (*ProgressStep)(void* dialog, void* item, void* nextItem, void* owner);

struct ExportUi {
    void (*showMessage)(const char* key, const char* detail);
    Answer (*askYesNo)(const char* key, const char* detail);
    // Calls step once without an item, then once per element of list; shows nothing for an
    // empty list (Done then).
    ProgressEnd (*runProgress)(const char* titleKey, ProgressStep step, CMyArray* list,
                               void* owner);
    // The export dialog, opened with the proposed request. When confirmed, the user's choice:
    // range, style with its naming, and the chosen path (UTF-8, as typed, with its extension).
    std::optional<ExportRequest> (*runExportDialog)(const ExportRequest& proposal);
    // Opens a written file with the application associated with it; null opens nothing.
    void (*openFile)(const char* path);
    // Optional: the line of the progress dialog (as handed to a step) that says what is done.
    void (*showProgressText)(void* dialog, const char* text);
};

// Installs the table (copied); null restores the inert one that answers No and runs nothing.
void setExportUi(const ExportUi* ui);
const ExportUi& exportUi();
