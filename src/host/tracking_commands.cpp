// Show, Copy and Delete Tracking: the history of the frontmost document in a window, on the
// clipboard, or removed.
#include "host/tracking.h"

#include <windows.h>

#include <cstring>
#include <string>

#include "dialogs/control_access.h"
#include "dialogs/dialog_runtime.h"
#include "dialogs/message_box.h"
#include "dialogs/toolkit.h"
#include "foundation/desktop.h"
#include "foundation/localize.h"
#include "resources/dialog_ids.h"

namespace {

constexpr int kHistoryField = IDC_TRACKING_HISTORY;

bool initTrackingWindow(HWND dialog, void* ownerData) {
    const WideText* text = static_cast<const WideText*>(ownerData);
    // The string table's "tracking" (the preference's label) would otherwise retitle it.
    setWindowTextQuietly(dialog, L"Tracking");
    HWND field = GetDlgItem(dialog, kHistoryField);
    // The field holds the whole history, however long, with no limit of its own.
    SendMessageW(field, EM_SETLIMITTEXT, 0, 0);
    setWindowTextQuietly(field, trackingDisplayText(*text).c_str());
    // Focus on OK rather than on the field, which would show the whole history selected.
    SetFocus(GetDlgItem(dialog, IDOK));
    return true;
}

} // namespace

void showTracking() {
    WideText text = trackingText(frontDocument());
    runDialog("TRACKING", initTrackingWindow, &text);
}

void copyTracking() {
    WideText text = trackingText(frontDocument());
    if (text.empty()) {
        beep();
        return;
    }
    // Data put on a clipboard opened without an owner may be refused once it is emptied.
    if (!OpenClipboard(hostMainWindow())) return;
    EmptyClipboard();
    size_t bytes = (text.size() + 1) * sizeof(WideChar);
    if (HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes)) {
        if (void* units = GlobalLock(memory)) {
            memcpy(units, text.c_str(), bytes);
            GlobalUnlock(memory);
            if (!SetClipboardData(CF_UNICODETEXT, memory)) GlobalFree(memory);
        } else {
            GlobalFree(memory);
        }
    }
    CloseClipboard();
}

void deleteTracking() {
    int32_t document = frontDocument();
    if (document < 0) return;
    // Nothing to delete: as Copy does, a beep, and the project stays unchanged.
    if (trackingText(document).empty()) {
        beep();
        return;
    }
    std::string question = wideToUtf8(localizeLabelWide("deleteTracking?"));
    if (askYesNo("%s", question.c_str()) != Answer::Yes) return;
    removeTrackingHistory(document);
}
