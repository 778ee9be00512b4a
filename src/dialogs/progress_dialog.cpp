#include "dialogs/progress_dialog.h"

#include <commctrl.h>

#include "dialogs/control_access.h"
#include "dialogs/dialog_runtime.h"
#include "dialogs/toolkit.h"
#include "foundation/encoding.h"
#include "foundation/localize.h"

namespace {

constexpr double kTickSeconds = 0.001;
// A tick runs steps back to back for this long, or until input or a message is waiting, so
// that steps are not paced by the timer and the dialog's own messages are not handled per
// step, while Cancel is served after the current step.
constexpr double kBatchSeconds = 0.1;
// What the dialog shows is brought up to date this often and when the job ends, never per
// item: a repaint of the bar or the line costs more than a short step, and far more where
// the windows go through a window manager.
constexpr double kShowSeconds = 0.2;

double seconds() {
    LARGE_INTEGER now, rate;
    QueryPerformanceCounter(&now);
    QueryPerformanceFrequency(&rate);
    return double(now.QuadPart) / double(rate.QuadPart);
}

struct Progress {
    HWND dialog;
    Progress* outer; // the job that was running when this one started, if any
    const char* title;
    ProgressStepProc step;
    const CMyArray* items;
    int32_t count;
    void* ownerData;
    HWND bar;
    HWND line;
    int32_t done;      // kept here, not read back from the bar: its position is only 16 bits wide
    int32_t shownDone; // the position the bar was last given
    bool stepRunning;
    WideText lineText; // as the steps last set it
    bool lineChanged;
    double shownAt;
};

// The running job, found without asking the window system: steps set the line per item.
Progress* gRunning = nullptr;

void* itemAt(const Progress* p, int32_t i) {
    return i < p->count ? at(p->items, i) : nullptr;
}

// Gives the bar its position and the line the steps' latest text, and paints them. The bar
// takes a position only here: each one costs the window system a repaint.
void show(Progress* p) {
    p->shownAt = seconds();
    if (p->bar && p->shownDone != p->done) {
        SendMessageW(p->bar, PBM_SETPOS, WPARAM(p->done), 0);
        p->shownDone = p->done;
        UpdateWindow(p->bar);
    }
    if (p->lineChanged && p->line) setWindowTextQuietly(p->line, p->lineText.c_str());
    p->lineChanged = false;
}

bool showIsDue(const Progress* p) {
    return seconds() - p->shownAt >= kShowSeconds;
}

// A step may open a box whose message loop delivers our ticks: those run no step, but show
// the page the box is about. A step that sets the line when a showing is due shows it.
bool runStep(Progress* p, HWND dialog, void* current, void* next) {
    p->stepRunning = true;
    bool goOn = p->step(dialog, current, next, p->ownerData);
    p->stepRunning = false;
    return goOn;
}

void finish(Progress* p, HWND dialog, ProgressEnd end) {
    show(p);
    endDialog(dialog, intptr_t(end));
}

// A click, a key, or a command posted or sent to the dialog (a script's Cancel) is waiting.
bool somethingWaits() {
    return HIWORD(GetQueueStatus(QS_INPUT | QS_POSTMESSAGE | QS_SENDMESSAGE)) != 0;
}

void tick(HWND dialog, void* data) {
    auto* p = static_cast<Progress*>(data);
    if (p->stepRunning) {
        // A box the step opened is up: the bar and the line show the item it is about.
        if (showIsDue(p) || p->lineChanged || p->shownDone != p->done) show(p);
        return;
    }
    double until = seconds() + kBatchSeconds;
    do {
        int32_t pos = p->done;
        if (pos >= p->count) return finish(p, dialog, ProgressEnd::Done);
        p->done = pos + 1;
        if (!runStep(p, dialog, itemAt(p, pos), itemAt(p, pos + 1)))
            return finish(p, dialog, ProgressEnd::Refused);
        // A box the step opened may have run the dialog's Cancel meanwhile.
    } while (dialogTimerRunning(dialog) && !somethingWaits() && seconds() < until);
    if (showIsDue(p)) show(p);
}

bool start(HWND dialog, void* data) {
    auto* p = static_cast<Progress*>(data);
    char cancel[kLocalizedSize];
    localize("cancel", cancel, sizeof(cancel));
    setControlTextById(dialog, IDCANCEL, cancel);
    p->bar = findControl(dialog, makeTag("prog"));
    p->line = findControl(dialog, kProgressMessageId);
    p->dialog = dialog;
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
    Progress p{nullptr, gRunning, title, stepProc, items, count, ownerData,    nullptr,
               nullptr, 0,        0,     false,    {},    false, -kShowSeconds};
    gRunning = &p;
    // Cancel ends the dialog with IDCANCEL, the number of Cancelled.
    auto end = ProgressEnd(runDescribedDialog("Progress", start, &p));
    gRunning = p.outer;
    return end;
}

void setProgressLine(HWND dialog, const char* text) {
    WideText wide = utf8ToWide(text ? text : "");
    Progress* p = gRunning;
    while (p && p->dialog != dialog)
        p = p->outer;
    if (!p || !dialog) {
        // The described controls live in the dialog's panes, not directly in the dialog.
        HWND line = dialog ? findControl(dialog, kProgressMessageId) : nullptr;
        if (line) setWindowTextQuietly(line, wide.c_str());
        return;
    }
    p->lineText = wide.c_str();
    p->lineChanged = true;
    if (showIsDue(p)) show(p);
}
