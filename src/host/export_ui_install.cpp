#include "host/export_ui_install.h"

#include "dialogs/message_box.h"
#include "dialogs/progress_dialog.h"
#include "export/export_ui.h"
#include "foundation/desktop.h"
#include "host/export_dialog.h"

namespace {

// The key is the format: the message box looks it up before it formats. Keys carry no
// conversions.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wformat-security"
#pragma GCC diagnostic ignored "-Wformat-nonliteral"

// The detail, when there is one, is shown under the message.
void showKeyMessage(const char* key, const char* detail) {
    if (detail) setMessageDetail("%s", detail);
    showMessage(key);
}

Answer askKeyQuestion(const char* key, const char* detail) {
    if (detail) setMessageDetail("%s", detail);
    return askYesNo(key);
}

#pragma GCC diagnostic pop

// The engine's step knows the dialog only as an opaque pointer.
struct ProgressJob {
    ProgressStep step;
    void* owner;
};

bool progressStep(HWND dialog, void* current, void* next, void* job) {
    const ProgressJob& j = *static_cast<const ProgressJob*>(job);
    return j.step(dialog, current, next, j.owner);
}

ProgressEnd runPageProgress(const char* titleKey, ProgressStep step, CMyArray* list, void* owner) {
    ProgressJob job = {step, owner};
    return runProgress(titleKey, progressStep, list, &job);
}

void openWrittenFile(const char* path) {
    openDocument(path, nullptr);
}

void showProgressText(void* dialog, const char* text) {
    setProgressLine(static_cast<HWND>(dialog), text);
}

} // namespace

void installExportUi() {
    ExportUi ui = {};
    ui.showMessage = showKeyMessage;
    ui.askYesNo = askKeyQuestion;
    ui.runProgress = runPageProgress;
    ui.runExportDialog = runExportDialog;
    ui.openFile = openWrittenFile;
    ui.showProgressText = showProgressText;
    setExportUi(&ui);
}
