#include "automation/script_runner.h"

#include "automation/dialog_activity.h"
#include "automation/dialog_driver.h"
#include "automation/script_lexer.h"
#include "model/wide_text.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

namespace refhost {

namespace {

std::string argumentCountError(const ScriptCommandInfo& info) {
    std::ostringstream s;
    s << info.name << ": ";
    if (info.maxArgs < 0)
        s << "needs at least " << info.minArgs << " argument" << (info.minArgs == 1 ? "" : "s");
    else if (info.minArgs == info.maxArgs)
        s << "takes " << info.minArgs << " argument" << (info.minArgs == 1 ? "" : "s");
    else
        s << "takes " << info.minArgs << " to " << info.maxArgs << " arguments";
    return s.str();
}

std::string secondsText(double seconds) {
    std::ostringstream s;
    s << seconds;
    return s.str();
}

std::string quoted(const std::wstring& text) {
    return "\"" + narrow(text) + "\"";
}

} // namespace

struct CMyScriptRunner::HostJob {
    std::vector<std::string> words;
    int line = 0;
    std::string result;
    HANDLE done = nullptr;
};

CMyScriptRunner::CMyScriptRunner(HostCommandRunner hostCommands)
    : hostCommands_(std::move(hostCommands)) {}

CMyScriptRunner::~CMyScriptRunner() {
    if (thread_) {
        WaitForSingleObject(thread_, 5000);
        CloseHandle(thread_);
    }
}

bool CMyScriptRunner::load(const std::string& path, std::string& error) {
    std::ifstream in(widen(path).c_str(), std::ios::binary);
    if (!in) {
        error = "cannot read the script " + path;
        return false;
    }
    std::stringstream text;
    text << in.rdbuf();
    loadText(text.str());
    return true;
}

void CMyScriptRunner::setStillLimit(double seconds) {
    stillLimit_ = seconds;
}

void CMyScriptRunner::loadText(const std::string& text) {
    lines_.clear();
    size_t start = text.compare(0, 3, "\xEF\xBB\xBF") == 0 ? 3 : 0;
    while (start <= text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines_.push_back(line);
        start = end + 1;
    }
}

void CMyScriptRunner::start(HWND mainWindow) {
    mainWindow_ = mainWindow;
    uiThread_ = GetWindowThreadProcessId(mainWindow, nullptr);
    thread_ = CreateThread(nullptr, 0, threadMain, this, 0, nullptr);
}

bool CMyScriptRunner::handleMainWindowMessage(UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == kMsgRunHostCommand) {
        auto* job = reinterpret_cast<HostJob*>(lp);
        job->result = hostCommands_(job->words);
        SetEvent(job->done);
        return true;
    }
    if (msg == kMsgScriptSync) {
        // Painted here, on the window's own thread, the window and every child are drawn
        // before the event is set; asked from the script thread, they would be drawn later.
        if (wp)
            RedrawWindow(reinterpret_cast<HWND>(wp), nullptr, nullptr,
                         RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
        SetEvent(reinterpret_cast<HANDLE>(lp));
        return true;
    }
    return false;
}

DWORD WINAPI CMyScriptRunner::threadMain(void* self) {
    static_cast<CMyScriptRunner*>(self)->run();
    return 0;
}

void CMyScriptRunner::fail(const Failure& failure) {
    fflush(stdout);
    fprintf(stderr, "script: line %d: %s\n", failure.line, failure.reason.c_str());
    fflush(stderr);
    if (pendingBusy()) {
        // A dialog of the failed command is still up and nobody will close it.
        ExitProcess(2);
    }
    PostMessageW(mainWindow_, kMsgScriptEnd, 2, 0);
}

bool CMyScriptRunner::pendingBusy() const {
    return pending_ && WaitForSingleObject(pending_->done, 0) != WAIT_OBJECT_0;
}

// The finished host command's failure, if it failed; forgets the command either way.
bool CMyScriptRunner::pendingFailure(Failure& failure) {
    if (!pending_ || pendingBusy()) return false;
    bool failed = !pending_->result.empty();
    if (failed) failure = {pending_->line, pending_->result};
    CloseHandle(pending_->done);
    delete pending_;
    pending_ = nullptr;
    return failed;
}

bool CMyScriptRunner::finishPending(Failure& failure) {
    if (!pending_) return true;
    CMyStillClock clock({uiThread_, mainWindow_});
    while (WaitForSingleObject(pending_->done, 100) != WAIT_OBJECT_0) {
        HWND dialog = findTopDialog({uiThread_, mainWindow_});
        if (!dialog) {
            clock.restart();
            continue;
        }
        if (clock.stillSeconds() > stillLimit_) {
            failure = {pending_->line, "the command did not finish: dialog " +
                                           quoted(windowText(dialog)) + " waited " +
                                           secondsText(stillLimit_) +
                                           " seconds with no script line to drive it"};
            return false;
        }
    }
    return !pendingFailure(failure);
}

void CMyScriptRunner::settle(HWND repaint) {
    // Posted messages of one thread arrive in order: when this one is handled, everything
    // posted before it has been, and any dialog it opened exists. A modal dialog is shown
    // only when its loop first runs idle, so a second round waits for that too.
    for (int round = 0; round < 2; ++round) {
        HANDLE event = CreateEventW(nullptr, TRUE, FALSE, nullptr);
        WPARAM window = round == 0 ? reinterpret_cast<WPARAM>(repaint) : 0;
        if (PostMessageW(mainWindow_, kMsgScriptSync, window, LPARAM(event)))
            WaitForSingleObject(event, 30000);
        // The handle may still be signalled late by the UI thread; keep it alive then.
        if (WaitForSingleObject(event, 0) == WAIT_OBJECT_0) CloseHandle(event);
        Sleep(20);
    }
}

void CMyScriptRunner::run() {
    // The whole script is checked first so that a broken line changes nothing.
    std::vector<std::vector<std::string>> commands(lines_.size());
    for (size_t i = 0; i < lines_.size(); ++i) {
        int line = int(i) + 1;
        ScriptLine split = splitScriptLine(lines_[i]);
        if (!split.error.empty()) return fail({line, split.error});
        if (split.words.empty()) continue;
        const ScriptCommandInfo* info = findScriptCommand(split.words[0]);
        if (!info) return fail({line, "unknown command \"" + split.words[0] + "\""});
        int args = int(split.words.size()) - 1;
        if (args < info->minArgs || (info->maxArgs >= 0 && args > info->maxArgs))
            return fail({line, argumentCountError(*info)});
        commands[i] = split.words;
    }

    Failure failure;
    for (size_t i = 0; i < commands.size(); ++i) {
        const auto& words = commands[i];
        if (words.empty()) continue;
        int line = int(i) + 1;
        const ScriptCommandInfo* info = findScriptCommand(words[0]);
        if (info->dialog) {
            if (!info->dialog(*this, {line, words, failure})) return fail(failure);
            continue;
        }
        if (!finishPending(failure)) return fail(failure);
        if (words[0] == "quit") break;
        auto* job = new HostJob;
        job->words = words;
        job->line = line;
        job->done = CreateEventW(nullptr, TRUE, FALSE, nullptr);
        if (!PostMessageW(mainWindow_, kMsgRunHostCommand, 0, LPARAM(job))) {
            CloseHandle(job->done);
            delete job;
            return fail({line, "the host window is gone"});
        }
        pending_ = job;
    }
    if (!finishPending(failure)) return fail(failure);
    PostMessageW(mainWindow_, kMsgScriptEnd, 0, 0);
}

bool CMyScriptRunner::acquireDialog(const std::function<bool(HWND)>& accept,
                                    const std::string& what, HWND& dialog, Failure& failure,
                                    int line) {
    CMyStillClock clock({uiThread_, mainWindow_});
    for (;;) {
        HWND top = findTopDialog({uiThread_, mainWindow_});
        if (top && accept(top)) {
            dialog = top;
            return true;
        }
        if (!pendingBusy()) {
            if (pendingFailure(failure)) return false;
            failure = {line, top ? what + " in dialog " + quoted(windowText(top))
                                 : std::string("no dialog is open")};
            return false;
        }
        if (clock.stillSeconds() > stillLimit_) {
            failure = {line,
                       top ? what + " in dialog " + quoted(windowText(top))
                           : "no dialog opened within " + secondsText(stillLimit_) + " seconds"};
            return false;
        }
        Sleep(50);
    }
}

} // namespace refhost
