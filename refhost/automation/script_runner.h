#pragma once
// The script runner: reads a host script and plays it like a user on a thread of its own.
// Host commands are handed to the user-interface thread one at a time; dialog commands act on
// the dialog that is up meanwhile, so that a command that opens a modal dialog can be driven
// by the lines that follow it.
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace refhost {

// Messages the main window passes to the runner (see handleMainWindowMessage).
constexpr UINT kMsgRunHostCommand = WM_APP + 40;
constexpr UINT kMsgScriptSync = WM_APP + 41; // wParam: a window to repaint first, or 0
constexpr UINT kMsgScriptEnd = WM_APP + 42;  // wParam: the exit status

// Runs one host command on the user-interface thread: empty text on success, else the reason.
using HostCommandRunner = std::function<std::string(const std::vector<std::string>& words)>;

class CMyScriptRunner;

struct ScriptFailure {
    int line = 0;
    std::string reason;
};

// One line of the script as its dialog command sees it.
struct DialogStep {
    int line;
    const std::vector<std::string>& words; // the command's name first
    ScriptFailure& failure;
    // Records the reason the line failed; returns false for the command to return.
    bool fail(const std::string& reason) const {
        failure = {line, reason};
        return false;
    }
};
// Runs a dialog command on the script thread: true when done, else the step's failure is set.
using DialogCommand = bool (*)(CMyScriptRunner& runner, const DialogStep& step);

struct ScriptCommandInfo {
    const char* name;
    int minArgs, maxArgs; // -1: any number
    // Null for a host command, which the user-interface thread runs (see HostCommandRunner).
    DialogCommand dialog;
};
// Every command the runner knows, by name; nullptr for an unknown name.
const ScriptCommandInfo* findScriptCommand(const std::string& name);

constexpr double kDefaultStillSeconds = 60.0;

class CMyScriptRunner {
  public:
    CMyScriptRunner(HostCommandRunner hostCommands);
    ~CMyScriptRunner();
    // Reads the script (UTF-8, BOM allowed). false with error set when it cannot be read.
    bool load(const std::string& path, std::string& error);
    void loadText(const std::string& text);
    // How long a wait for the host's dialogs may see nothing move before it fails: a dialog
    // command waiting for its dialog, or a host command whose dialog nobody drives.
    void setStillLimit(double seconds);
    // Starts the script thread; mainWindow belongs to the calling (user-interface) thread.
    void start(HWND mainWindow);
    // Called by the main window procedure for the runner's messages; true when handled.
    bool handleMainWindowMessage(UINT msg, WPARAM wp, LPARAM lp);

    // The dialog commands' handlers (script_commands.cpp), with access to the runner's waits.
    struct DialogCommands;

  private:
    struct HostJob;
    using Failure = ScriptFailure;
    static DWORD WINAPI threadMain(void* self);
    void run();
    bool finishPending(Failure& failure);
    bool pendingBusy() const;
    bool pendingFailure(Failure& failure);
    void fail(const Failure& failure);
    bool acquireDialog(const std::function<bool(HWND)>& accept, const std::string& what,
                       HWND& dialog, Failure& failure, int line);
    // Waits until the user-interface thread has handled what was posted before; `repaint`, when
    // given, is drawn anew there first.
    void settle(HWND repaint = nullptr);

    HostCommandRunner hostCommands_;
    std::vector<std::string> lines_;
    HWND mainWindow_ = nullptr;
    DWORD uiThread_ = 0;
    HANDLE thread_ = nullptr;
    HostJob* pending_ = nullptr;
    double stillLimit_ = kDefaultStillSeconds;
};

} // namespace refhost
