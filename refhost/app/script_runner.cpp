#include "app/script_runner.h"

#include "app/dialog_activity.h"
#include "app/dialog_driver.h"
#include "app/screenshot.h"
#include "app/script_lexer.h"
#include "app/wide_text.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

namespace refhost {

namespace {

const ScriptCommandInfo kCommands[] = {
    {"open", 1, 1, true},
    {"open-untitled", 1, 1, true},
    {"close", 0, 0, true},
    {"save", 0, 0, true},
    {"save-as", 1, 1, true},
    {"layout", 1, 1, true},
    {"page", 1, 1, true},
    {"select", 1, 1, true},
    {"menu", 1, 1, true},
    {"dump-menu", 0, 0, true},
    {"context", 0, 1, true},
    {"key", 1, -1, true},
    {"print", 2, 4, true},
    {"style-editor", 1, 1, true},
    {"dump-clipboard", 0, 0, true},
    {"dump-data", 2, 2, true},
    {"expect-changed", 1, 1, true},
    {"save-copy", 1, 1, true},
    {"expect-beeps", 1, 1, true},
    {"expect-selected", 1, 1, true},
    {"lang", 1, 1, true},
    {"quit", 0, 0, true},
    {"wait-dialog", 1, 2, false},
    {"set", 2, 2, false},
    {"type", 2, 2, false},
    {"check", 2, 2, false},
    {"click", 1, 1, false},
    {"choose", 2, 2, false},
    {"file-name", 1, 1, false},
    {"ok", 0, 0, false},
    {"cancel", 0, 0, false},
    {"answer", 1, 1, false},
    {"expect-text", 2, 2, false},
    {"dump-text", 1, 1, false},
    {"expect-message", 1, 1, false},
    {"expect-checked", 2, 2, false},
    {"expect-enabled", 2, 2, false},
    {"screenshot", 1, 2, false},
};

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

bool parseControlId(const std::string& text, int& id) {
    if (text.empty() || text.size() > 5) return false;
    for (char c : text)
        if (c < '0' || c > '9') return false;
    id = std::atoi(text.c_str());
    return id <= 0xFFFF;
}

bool parseOnOff(const std::string& text, bool& on) {
    if (text == "on" || text == "off") {
        on = text == "on";
        return true;
    }
    return false;
}

double secondsSince(ULONGLONG start) {
    return double(GetTickCount64() - start) / 1000.0;
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

const ScriptCommandInfo* findScriptCommand(const std::string& name) {
    for (const auto& info : kCommands)
        if (name == info.name) return &info;
    return nullptr;
}

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
        if (!info->hostCommand) {
            if (!runDialogCommand(line, words, failure)) return fail(failure);
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

bool CMyScriptRunner::runDialogCommand(int line, const std::vector<std::string>& words,
                                       Failure& failure) {
    const std::string& name = words[0];
    auto bad = [&](const std::string& reason) {
        failure = {line, reason};
        return false;
    };

    if (name == "wait-dialog") {
        double seconds = 10;
        if (words.size() > 2) {
            char* end = nullptr;
            seconds = std::strtod(words[2].c_str(), &end);
            if (!end || *end || seconds < 0)
                return bad("wait-dialog: \"" + words[2] + "\" is not a number of seconds");
        }
        std::wstring title = widen(words[1]);
        ULONGLONG start = GetTickCount64();
        while (!findDialogByTitle({uiThread_, mainWindow_}, title)) {
            if (secondsSince(start) > seconds)
                return bad("no dialog \"" + words[1] + "\" within " +
                           (words.size() > 2 ? words[2] : std::string("10")) + " seconds");
            Sleep(50);
        }
        // Let the dialog finish its initialisation before the next line touches it.
        settle();
        return true;
    }

    if (name == "screenshot") {
        if (words.size() > 2 && words[2] != "frame")
            return bad("screenshot: takes \"frame\" after the path, not \"" + words[2] + "\"");
        settle();
        HWND target = findTopDialog({uiThread_, mainWindow_});
        // A running command may be about to show its dialog.
        for (int i = 0; !target && pendingBusy() && i < 40; ++i) {
            Sleep(50);
            target = findTopDialog({uiThread_, mainWindow_});
        }
        if (!target) target = mainWindow_;
        settle(target);
        std::string err = saveWindowPng(target, widen(words[1]), words.size() > 2);
        return err.empty() ? true : bad("screenshot: " + err);
    }

    if (name == "ok" || name == "cancel") {
        HWND dialog = nullptr;
        if (!acquireDialog([](HWND) { return true; }, "", dialog, failure, line)) return false;
        postDialogCommand(dialog, name == "ok" ? IDOK : IDCANCEL);
        settle();
        return true;
    }

    if (name == "answer" || name == "expect-message") {
        int button = 0;
        if (name == "answer") {
            if (words[1] == "yes" || words[1] == "ok")
                button = 1;
            else if (words[1] == "no")
                button = 2;
            else
                return bad("answer: takes yes, no or ok, not \"" + words[1] + "\"");
        }
        HWND dialog = nullptr;
        if (!acquireDialog([](HWND d) { return findMessageText(d) != nullptr; }, "no message box",
                           dialog, failure, line))
            return false;
        if (name == "expect-message") {
            std::wstring text = windowText(findMessageText(dialog));
            std::wstring mainText = text.substr(0, text.find(L"\r\r"));
            std::wstring expected = widen(words[1]);
            if (text != expected && mainText != expected)
                return bad("expect-message: expected \"" + words[1] + "\", found " + quoted(text));
            return true;
        }
        // The plug-in's box answers with buttons 1 and 2; the system's with IDYES and IDNO.
        bool systemBox = findControl(dialog, kPluginMessageTextId) == nullptr;
        int id = button;
        if (systemBox && words[1] == "yes")
            id = IDYES;
        else if (systemBox && words[1] == "no")
            id = IDNO;
        HWND control = findControl(dialog, id);
        if (!control || !IsWindowVisible(control))
            return bad("answer: the message box has no " + words[1] + " button");
        postDialogCommand(dialog, id);
        settle();
        return true;
    }

    int id = 0;
    if (name != "file-name" && !parseControlId(words[1], id))
        return bad(name + ": \"" + words[1] + "\" is not a control id");
    HWND dialog = nullptr;
    HWND control = nullptr;
    if (name == "file-name") {
        if (!acquireDialog([](HWND d) { return findFileNameField(d) != nullptr; },
                           "no file name field", dialog, failure, line))
            return false;
        control = findFileNameField(dialog);
        std::string err = setFileName(dialog, control, widen(words[1]));
        return err.empty() ? true : bad("file-name: " + err);
    }
    bool on = false;
    bool takesOnOff = name == "check" || name == "expect-checked" || name == "expect-enabled";
    if (takesOnOff && !parseOnOff(words[2], on))
        return bad(name + ": takes on or off, not \"" + words[2] + "\"");
    if (!acquireDialog([id](HWND d) { return findControl(d, id) != nullptr; },
                       "no control " + words[1], dialog, failure, line))
        return false;
    control = findControl(dialog, id);

    std::string err;
    if (name == "set") {
        err = setControlText(control, widen(words[2]));
    } else if (name == "type") {
        err = typeIntoControl(control, widen(words[2]));
    } else if (name == "click") {
        err = clickControl(control);
    } else if (takesOnOff) {
        if (name == "check") {
            err = checkControl(control, on);
        } else if (name == "expect-enabled") {
            bool enabled = IsWindowEnabled(control) != 0;
            if (enabled != on)
                return bad("expect-enabled: control " + words[1] + ": expected " + words[2] +
                           ", found " + (enabled ? "on" : "off"));
        } else {
            bool checked = false;
            err = readCheck(control, checked);
            if (err.empty() && checked != on)
                return bad("expect-checked: control " + words[1] + ": expected " + words[2] +
                           ", found " + (checked ? "on" : "off"));
        }
    } else if (name == "choose") {
        err = chooseItem(control, widen(words[2]));
    } else if (name == "dump-text") {
        std::string text = narrow(windowText(control)) + "\n";
        fwrite(text.data(), 1, text.size(), stdout);
        fflush(stdout);
        return true;
    } else if (name == "expect-text") {
        std::wstring text = windowText(control);
        if (text != widen(words[2]))
            return bad("expect-text: control " + words[1] + ": expected \"" + words[2] +
                       "\", found " + quoted(text));
        return true;
    }
    if (!err.empty()) return bad(name + ": control " + words[1] + ": " + err);
    settle();
    return true;
}

} // namespace refhost
