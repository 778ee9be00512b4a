// The progress dialog driving a job: the order of the step calls, refusal, Cancel while a step
// runs, ticks arriving during a step, an empty list, and its titles in both languages.
#include <gtest/gtest.h>
#include <windows.h>

#include <commctrl.h>

#include <string>
#include <vector>

#include "dialog_test_support.h"
#include "dialogs/control_access.h"
#include "dialogs/progress_dialog.h"
#include "dialogs/toolkit.h"

namespace {

struct Call {
    int current; // the item's value, -1 for none
    int next;
    bool operator==(const Call& o) const { return current == o.current && next == o.next; }
};

std::ostream& operator<<(std::ostream& out, const Call& c) {
    return out << "(" << c.current << ", " << c.next << ")";
}

enum Interference { None, Refuse, ClickCancel, CloseBox, NestedLoop, MouseOnCancel, CancelInBox };

struct Job {
    int at = 0; // the current item at which the interference happens; -1: the opening call
    Interference what = None;
    std::vector<Call> calls;
    int barDuringNestedLoop = -1;
};

int value(void* item) {
    return item ? *static_cast<int32_t*>(item) : -1;
}

bool step(HWND dialog, void* current, void* next, void* data) {
    auto* job = static_cast<Job*>(data);
    HWND bar = findControl(dialog, makeTag("prog"));
    job->calls.push_back({value(current), value(next)});
    if (value(current) != job->at) return true;
    switch (job->what) {
    case Refuse:
        return false;
    case ClickCancel:
        PostMessageW(findControl(dialog, IDCANCEL), BM_CLICK, 0, 0);
        break;
    case CloseBox:
        PostMessageW(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
        break;
    case NestedLoop:
        // As a message box opened by the step would: the dialog's ticks arrive meanwhile.
        pumpMessages(150);
        job->barDuringNestedLoop = int(SendMessageW(bar, PBM_GETPOS, 0, 0));
        break;
    case MouseOnCancel: {
        // A user's click, through the input queue: steps run back to back must let it in.
        RECT r;
        GetWindowRect(findControl(dialog, IDCANCEL), &r);
        INPUT in[3] = {};
        for (INPUT& i : in)
            i.type = INPUT_MOUSE;
        in[0].mi.dx = ((r.left + r.right) / 2) * 65535 / (GetSystemMetrics(SM_CXSCREEN) - 1);
        in[0].mi.dy = ((r.top + r.bottom) / 2) * 65535 / (GetSystemMetrics(SM_CYSCREEN) - 1);
        in[0].mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
        in[1].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
        in[2].mi.dwFlags = MOUSEEVENTF_LEFTUP;
        SendInput(3, in, sizeof(INPUT));
        break;
    }
    case CancelInBox:
        // The box's own message loop runs the click: nothing is left waiting afterwards.
        PostMessageW(findControl(dialog, IDCANCEL), BM_CLICK, 0, 0);
        pumpMessages(50);
        break;
    case None:
        break;
    }
    return true;
}

struct ItemList {
    CMyArray array{};
    explicit ItemList(std::initializer_list<int32_t> values) {
        create(&array, 2, sizeof(int32_t));
        for (int32_t v : values)
            append(&array, &v);
    }
    ~ItemList() { release(&array); }
};

ProgressEnd runJob(const char* title, const ItemList& items, Job& job) {
    return ProgressEnd(whileModal(
        [&] { return INT_PTR(runProgress(title, step, &items.array, &job)); }, [](HWND) {}));
}

TEST(Progress, StepSequences) {
    const std::vector<Call> all = {{-1, 10}, {10, 20}, {20, 30}, {30, -1}};
    const std::vector<Call> upToSecond = {{-1, 10}, {10, 20}, {20, 30}};
    struct Case {
        const char* name;
        int at;
        Interference what;
        std::vector<Call> calls;
        ProgressEnd result;
    } cases[] = {
        {"three items", 0, None, all, ProgressEnd::Done},
        {"a step refuses item 2", 20, Refuse, upToSecond, ProgressEnd::Refused},
        {"Cancel while item 2 runs", 20, ClickCancel, upToSecond, ProgressEnd::Cancelled},
        {"close box while item 2 runs", 20, CloseBox, upToSecond, ProgressEnd::Cancelled},
        {"a mouse click on Cancel while item 2 runs", 20, MouseOnCancel, upToSecond,
         ProgressEnd::Cancelled},
        {"Cancel inside a box item 2 opened", 20, CancelInBox, upToSecond, ProgressEnd::Cancelled},
        {"ticks during a step do nothing", 20, NestedLoop, all, ProgressEnd::Done},
        {"the opening call's answer is not used", -1, Refuse, all, ProgressEnd::Done},
        {"the last step refuses", 30, Refuse, all, ProgressEnd::Refused},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ItemList items{10, 20, 30};
        Job job;
        job.at = c.at;
        job.what = c.what;
        EXPECT_EQ(runJob("saveAsEPS", items, job), c.result);
        EXPECT_EQ(job.calls, c.calls);
        if (c.what == NestedLoop) {
            EXPECT_EQ(job.barDuringNestedLoop, 2) << "the bar shows the item whose box is up";
        }
    }
}

LRESULT CALLBACK countDialogs(int code, WPARAM wParam, LPARAM lParam);
int gDialogsCreated = 0;
HHOOK gHook = nullptr;

LRESULT CALLBACK countDialogs(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_CREATEWND) {
        auto* create = reinterpret_cast<CBT_CREATEWNDW*>(lParam);
        if (create->lpcs->lpszClass == MAKEINTATOM(32770) ||
            className(reinterpret_cast<HWND>(wParam)) == "#32770")
            ++gDialogsCreated;
    }
    return CallNextHookEx(gHook, code, wParam, lParam);
}

TEST(Progress, EmptyListShowsNothing) {
    gDialogsCreated = 0;
    gHook = SetWindowsHookExW(WH_CBT, countDialogs, nullptr, GetCurrentThreadId());
    ItemList none{};
    Job job;
    ProgressEnd result = runProgress("saveAsEPS", step, &none.array, &job);
    // The hook does see a dialog that opens.
    ItemList one{5};
    Job other;
    ProgressEnd shown = runJob("saveAsEPS", one, other);
    UnhookWindowsHookEx(gHook);

    EXPECT_EQ(result, ProgressEnd::Done);
    EXPECT_TRUE(job.calls.empty());
    EXPECT_EQ(shown, ProgressEnd::Done);
    EXPECT_EQ(gDialogsCreated, 1) << "only the second job opened a dialog";
}

// The line and the bar are painted a few times a second, not per item; still, a box a step
// opens shows its item's line, and when the job ends the line and the bar show the last item.
struct Lines {
    int boxAt = 0;
    std::string duringBox;
    int barDuringBox = -1;
};

bool lineStep(HWND dialog, void* current, void*, void* data) {
    if (!current) return true;
    auto* lines = static_cast<Lines*>(data);
    setProgressLine(dialog, ("item " + std::to_string(value(current))).c_str());
    if (value(current) == lines->boxAt) {
        pumpMessages(150); // as the box's own message loop would
        lines->duringBox = windowText(findControl(dialog, kProgressMessageId));
        lines->barDuringBox =
            int(SendMessageW(findControl(dialog, makeTag("prog")), PBM_GETPOS, 0, 0));
    }
    return true;
}

std::string gLineAtEnd;
int gBarAtEnd = -1;

LRESULT CALLBACK lookAtTheEnd(int code, WPARAM wParam, LPARAM lParam) {
    HWND window = reinterpret_cast<HWND>(wParam);
    if (code == HCBT_DESTROYWND && className(window) == "#32770") {
        gLineAtEnd = windowText(findControl(window, kProgressMessageId));
        gBarAtEnd = int(SendMessageW(findControl(window, makeTag("prog")), PBM_GETPOS, 0, 0));
    }
    return CallNextHookEx(gHook, code, wParam, lParam);
}

TEST(Progress, TheLineShowsABoxsItemAndTheLastItemAtTheEnd) {
    ItemList items{};
    for (int32_t v = 1; v <= 40; ++v)
        append(&items.array, &v);
    Lines lines;
    lines.boxAt = 20;
    gHook = SetWindowsHookExW(WH_CBT, lookAtTheEnd, nullptr, GetCurrentThreadId());
    ProgressEnd result = ProgressEnd(whileModal(
        [&] { return INT_PTR(runProgress("saveAsPDF", lineStep, &items.array, &lines)); },
        [](HWND) {}));
    UnhookWindowsHookEx(gHook);
    EXPECT_EQ(result, ProgressEnd::Done);
    EXPECT_EQ(lines.duringBox, "item 20");
    EXPECT_EQ(lines.barDuringBox, 20);
    EXPECT_EQ(gLineAtEnd, "item 40");
    EXPECT_EQ(gBarAtEnd, 40);
}

struct Look {
    std::string title, cancel, message;
    bool toolWindow = false;
    int low = -1, high = -1;
    bool hostEnabled = true;
    std::string line;
};

bool lookAtDialog(HWND dialog, void* current, void*, void* data) {
    if (current) return true;
    auto* look = static_cast<Look*>(data);
    look->title = windowText(dialog);
    look->cancel = windowText(findControl(dialog, IDCANCEL));
    look->toolWindow = GetWindowLongW(dialog, GWL_EXSTYLE) & WS_EX_TOOLWINDOW;
    PBRANGE range{};
    SendMessageW(findControl(dialog, makeTag("prog")), PBM_GETRANGE, FALSE,
                 reinterpret_cast<LPARAM>(&range));
    look->low = range.iLow;
    look->high = range.iHigh;
    setControlTextF(findControl(dialog, kProgressMessageId), "Page %s", "iv");
    char text[64] = "";
    getControlTextById(dialog, kProgressMessageId, text);
    look->message = text;
    // The export run's line: its text as given, never looked up or formatted.
    setProgressLine(dialog, "Seite %s \xC3\xBC");
    getControlTextById(dialog, kProgressMessageId, text);
    look->line = text;
    look->hostEnabled = IsWindowEnabled(testHostWindow());
    return true;
}

TEST(Progress, TitlesAndCaptionsFollowTheLanguage) {
    struct Case {
        int language;
        const char* title;
        const char* shownTitle;
        const char* cancel;
    } cases[] = {
        {0, "saveAsEPS", "Save Page(s) as EPS", "Cancel"},
        {3, "saveAsPDF", "Seite(n) als PDF speichern", "Abbrechen"},
        {3, "Export: 4 pages", "Export: 4 pages", "Abbrechen"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.shownTitle);
        useLanguage(c.language);
        ItemList items{1, 2, 3, 4};
        Look look;
        ProgressEnd result = ProgressEnd(whileModal(
            [&] { return INT_PTR(runProgress(c.title, lookAtDialog, &items.array, &look)); },
            [](HWND) {}));
        EXPECT_EQ(result, ProgressEnd::Done);
        EXPECT_EQ(look.title, c.shownTitle);
        EXPECT_EQ(look.cancel, c.cancel);
        EXPECT_TRUE(look.toolWindow);
        EXPECT_EQ(look.low, 0);
        EXPECT_EQ(look.high, 4);
        EXPECT_EQ(look.message, "Page iv");
        EXPECT_EQ(look.line, "Seite %s \xC3\xBC");
        EXPECT_FALSE(look.hostEnabled) << "the host window is disabled while the job runs";
        EXPECT_TRUE(IsWindowEnabled(testHostWindow()));
    }
    useLanguage(0);
}

} // namespace
