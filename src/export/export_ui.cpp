#include "export/export_ui.h"

static void noMessage(const char*, const char*) {}
static Answer answerNo(const char*, const char*) {
    return Answer::No;
}
static ProgressEnd noProgress(const char*, ProgressStep, CMyArray*, void*) {
    return ProgressEnd::Cancelled;
}
static std::optional<ExportRequest> noDialog(const ExportRequest&) {
    return std::nullopt;
}

static const ExportUi kInertUi = {noMessage, answerNo, noProgress, noDialog, nullptr, nullptr};
static ExportUi gUi = kInertUi;

void setExportUi(const ExportUi* ui) {
    gUi = ui ? *ui : kInertUi;
    // A partly filled table keeps the inert answers for what it leaves out.
    if (!gUi.showMessage) gUi.showMessage = noMessage;
    if (!gUi.askYesNo) gUi.askYesNo = answerNo;
    if (!gUi.runProgress) gUi.runProgress = noProgress;
    if (!gUi.runExportDialog) gUi.runExportDialog = noDialog;
}

const ExportUi& exportUi() {
    return gUi;
}
