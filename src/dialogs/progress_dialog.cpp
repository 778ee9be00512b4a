#include "dialogs/progress_dialog.h"

#include <commctrl.h>

#include "dialogs/control_access.h"
#include "dialogs/dialog_runtime.h"
#include "dialogs/toolkit.h"
#include "foundation/encoding.h"
#include "foundation/localize.h"

namespace {

constexpr double kTickSeconds = 0.001;
// A tick runs steps back to back for this long, so that short steps are not paced by the
// timer, yet the bar, the texts and Cancel are served several times a second.
constexpr double kBatchSeconds = 0.015;

struct Progress {
    const char* title;
    ProgressStepProc step;
    const CMyArray* items;
    int32_t count;
    void* ownerData;
    HWND bar;
    int32_t done; // kept here, not read back from the bar: its position is only 16 bits wide
    bool stepRunning;
};

void* itemAt(const Progress* p, int32_t i) {
    return i < p->count ? at(p->items, i) : nullptr;
}

// A step may open a box whose message loop delivers our ticks: those do nothing.
bool runStep(Progress* p, HWND dialog, void* current, void* next) {
    p->stepRunning = true;
    bool goOn = p->step(dialog, current, next, p->ownerData);
    p->stepRunning = false;
    return goOn;
}

double seconds() {
    LARGE_INTEGER now, rate;
    QueryPerformanceCounter(&now);
    QueryPerformanceFrequency(&rate);
    return double(now.QuadPart) / double(rate.QuadPart);
}

// A click, a key, or a command posted or sent to the dialog (a script's Cancel) is waiting.
bool somethingWaits() {
    return HIWORD(GetQueueStatus(QS_INPUT | QS_POSTMESSAGE | QS_SENDMESSAGE)) != 0;
}

void tick(HWND dialog, void* data) {
    auto* p = static_cast<Progress*>(data);
    if (p->stepRunning) return;
    double until = seconds() + kBatchSeconds;
    do {
        int32_t pos = p->done;
        if (pos >= p->count) {
            endDialog(dialog, intptr_t(ProgressEnd::Done));
            return;
        }
        p->done = pos + 1;
        SendMessageW(p->bar, PBM_SETPOS, WPARAM(p->done), 0);
        if (!runStep(p, dialog, itemAt(p, pos), itemAt(p, pos + 1))) {
            endDialog(dialog, intptr_t(ProgressEnd::Refused));
            return;
        }
        // A box the step opened may have run the dialog's Cancel meanwhile.
    } while (dialogTimerRunning(dialog) && !somethingWaits() && seconds() < until);
}

bool start(HWND dialog, void* data) {
    auto* p = static_cast<Progress*>(data);
    char cancel[kLocalizedSize];
    localize("cancel", cancel, sizeof(cancel));
    setControlTextById(dialog, IDCANCEL, cancel);
    p->bar = findControl(dialog, makeTag("prog"));
    setControlText(dialog, p->title);
    SetWindowLongW(dialog, GWL_EXSTYLE, GetWindowLongW(dialog, GWL_EXSTYLE) | WS_EX_TOOLWINDOW);
    // The smaller caption only takes effect once the frame is recalculated.
    SetWindowPos(dialog, nullptr, 0, 0, 0, 0,
                 SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    SendMessageW(p->bar, PBM_SETRANGE32, 0, p->count);
    runStep(p, dialog, nullptr, itemAt(p, 0));
    setDialogTimer(dialog, tick, kTickSeconds);
    return true;
}

} // namespace

ProgressEnd runProgress(const char* title, ProgressStepProc stepProc, const CMyArray* items,
                        void* ownerData) {
    int32_t count = items ? items->count : 0;
    if (count <= 0 || !stepProc) return ProgressEnd::Done;
    Progress p{title, stepProc, items, count, ownerData, nullptr, 0, false};
    // Cancel ends the dialog with IDCANCEL, the number of Cancelled.
    return ProgressEnd(runDescribedDialog("Progress", start, &p));
}

void setProgressLine(HWND dialog, const char* text) {
    // The described controls live in the dialog's panes, not directly in the dialog.
    HWND line = dialog ? findControl(dialog, kProgressMessageId) : nullptr;
    if (line) setWindowTextQuietly(line, utf8ToWide(text ? text : "").c_str());
}
