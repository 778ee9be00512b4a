#include "host/host_ui_ops.h"

#include "host/host_tables.h"

void hostOpenStyleEditor(StyleHandle style, HWND parent) {
    const KxhStyleTable& styles = hostTables().style;
    if (styles.openStyleEditor) styles.openStyleEditor(parent, static_cast<KxhStyle>(style));
}

void hostAnnounceDialog(HWND dialog) {
    const KxhAppTable& app = hostTables().app;
    if (app.dialogOpened) app.dialogOpened(dialog);
}

void hostDialogClosed(HWND dialog) {
    const KxhAppTable& app = hostTables().app;
    if (app.dialogClosed) app.dialogClosed(dialog);
}
