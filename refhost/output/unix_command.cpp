#include "output/unix_command.h"

#include "model/document.h"
#include "model/file_io.h"

#include <windows.h>

#include <cstdlib>

namespace refhost {

namespace {

std::wstring wide(const std::string& s) {
    std::u16string u = utf8ToUtf16(s);
    return std::wstring(u.begin(), u.end());
}
std::string narrow(const std::wstring& w) {
    return utf16ToUtf8(std::u16string(w.begin(), w.end()));
}

template <typename Fn> Fn kernelFunction(const char* name) {
    return reinterpret_cast<Fn>(
        reinterpret_cast<void (*)()>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), name)));
}

} // namespace

bool runningUnderWine() {
    HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    return ntdll && GetProcAddress(ntdll, "wine_get_version");
}

std::string unixPathOf(const std::string& dosPath) {
    using Fn = char*(CDECL*)(const wchar_t*);
    auto fn = kernelFunction<Fn>("wine_get_unix_file_name");
    if (!fn) return std::string();
    char* p = fn(wide(dosPath).c_str());
    if (!p) return std::string();
    std::string out = p;
    HeapFree(GetProcessHeap(), 0, p);
    return out;
}

std::string dosPathOf(const std::string& unixPath) {
    using Fn = wchar_t*(CDECL*)(const char*);
    auto fn = kernelFunction<Fn>("wine_get_dos_file_name");
    if (!fn) return std::string();
    wchar_t* p = fn(unixPath.c_str());
    if (!p) return std::string();
    std::string out = narrow(p);
    HeapFree(GetProcessHeap(), 0, p);
    return out;
}

std::wstring quoteWindowsArgument(const std::wstring& a) {
    if (!a.empty() && a.find_first_of(L" \t\"") == std::wstring::npos) return a;
    std::wstring out = L"\"";
    size_t slashes = 0;
    for (wchar_t c : a) {
        if (c == L'\\') {
            ++slashes;
            continue;
        }
        if (c == L'"')
            out.append(slashes * 2 + 1, L'\\');
        else
            out.append(slashes, L'\\');
        slashes = 0;
        out.push_back(c);
    }
    out.append(slashes * 2, L'\\');
    out.push_back(L'"');
    return out;
}

// Starts /bin/sh under Wine with the given arguments, without waiting for it.
static bool startShell(const std::vector<std::string>& args) {
    std::string shell = dosPathOf("/bin/sh");
    if (shell.empty()) return false;
    std::wstring cmd;
    for (const auto& a : args) {
        if (!cmd.empty()) cmd.push_back(L' ');
        cmd += quoteWindowsArgument(wide(a));
    }
    STARTUPINFOW si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    if (!CreateProcessW(wide(shell).c_str(), &cmd[0], nullptr, nullptr, FALSE, CREATE_NO_WINDOW,
                        nullptr, nullptr, &si, &pi))
        return false;
    CloseHandle(pi.hProcess);
    CloseHandle(pi.hThread);
    return true;
}

UnixRun runUnixCommand(const std::vector<std::string>& argv, unsigned timeoutMs) {
    UnixRun run;
    if (argv.empty() || !runningUnderWine()) return run;
    std::string shell = dosPathOf("/bin/sh");
    std::string base = temporaryPath("layouthost-run");
    std::string logDos = base + ".log", statusDos = base + ".status";
    std::string logU = unixPathOf(logDos), statusU = unixPathOf(statusDos);
    if (shell.empty() || logU.empty() || statusU.empty()) return run;
    std::vector<std::string> args = {
        "sh",
        "-c",
        "log=$1; st=$2; shift 2; \"$@\" >\"$log\" 2>&1 </dev/null; echo $? >\"$st.part\"; "
        "mv \"$st.part\" \"$st\"",
        "sh",
        logU,
        statusU};
    args.insert(args.end(), argv.begin(), argv.end());
    if (!startShell(args)) return run;
    run.started = true;
    DWORD startTick = GetTickCount();
    std::string status;
    while (!readWholeFile(statusDos, status)) {
        if (GetTickCount() - startTick > timeoutMs) {
            run.timedOut = true;
            break;
        }
        // The program is often done within a few milliseconds; a coarse poll would double
        // the cost of a short run.
        Sleep(1);
    }
    readWholeFile(logDos, run.output);
    removeFile(logDos);
    removeFile(statusDos);
    if (!run.timedOut) run.exitCode = status.empty() ? -1 : std::atoi(status.c_str());
    return run;
}

namespace {

// Started without a console, a Unix program is made the leader of a session and process group
// of its own by Wine; whatever it starts belongs to that group, and a child that holds the
// answers open dies with it.
void killUnixProcess(long pid) {
    if (pid > 0)
        startShell({"sh", "-c", "kill -9 -\"$1\" 2>/dev/null; kill -9 \"$1\" 2>/dev/null", "sh",
                    std::to_string(pid)});
}

void CALLBACK killOnTimeout(void* pid, BOOLEAN) {
    killUnixProcess(*static_cast<long*>(pid));
}

} // namespace

CMyUnixPeer::~CMyUnixPeer() {
    stop();
}

bool CMyUnixPeer::start(const std::string& folder, const std::vector<std::string>& argv,
                        unsigned timeoutMs) {
    stop();
    std::string folderU = unixPathOf(folder);
    if (argv.empty() || folderU.empty()) return false;
    folder_ = folder;
    for (const char* name : {"opened", "failed", "pid"})
        removeFile(folder + "\\" + name);
    // The shell holds the answer FIFO open (read-write, which never blocks) before it says
    // "opened", so the host's read-only open finds a writer and does not wait; the program's
    // input is opened read-only, so that it sees end of file once the host is gone.
    std::vector<std::string> args = {
        "sh", "-c",
        "cd \"$1\" || exit 1; shift; rm -f jobs replies; "
        "if mkfifo jobs replies; then exec 3<>replies; echo $$ >pid; : >opened; "
        "exec \"$@\" <jobs >&3 2>log 3>&-; fi; : >failed",
        "sh", folderU};
    args.insert(args.end(), argv.begin(), argv.end());
    if (!startShell(args)) return false;
    DWORD startTick = GetTickCount();
    while (!fileExists(folder + "\\opened")) {
        if (fileExists(folder + "\\failed") || GetTickCount() - startTick > timeoutMs) return false;
        Sleep(1);
    }
    std::string pid;
    readWholeFile(folder + "\\pid", pid);
    pid_ = std::atol(pid.c_str());
    replies_ = CreateFileW(wide(folder + "\\replies").c_str(), GENERIC_READ,
                           FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
    // Read-write: opening never waits for the program, whatever state it is in.
    jobs_ = CreateFileW(wide(folder + "\\jobs").c_str(), GENERIC_READ | GENERIC_WRITE,
                        FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
    if (replies_ == INVALID_HANDLE_VALUE || jobs_ == INVALID_HANDLE_VALUE) {
        kill();
        return false;
    }
    return true;
}

bool CMyUnixPeer::writeLine(const std::string& line) {
    if (!running()) return false;
    std::string text = line + "\n";
    DWORD put = 0;
    return WriteFile(jobs_, text.data(), static_cast<DWORD>(text.size()), &put, nullptr) &&
           put == text.size();
}

bool CMyUnixPeer::readLine(std::string& line, unsigned timeoutMs) {
    if (!running()) return false;
    // A read that blocks past the limit is ended by killing the program: its answers then end.
    HANDLE timer = nullptr;
    if (!CreateTimerQueueTimer(&timer, nullptr, killOnTimeout, &pid_, timeoutMs, 0,
                               WT_EXECUTEONLYONCE))
        timer = nullptr;
    bool got = false;
    for (;;) {
        size_t end = pending_.find('\n');
        if (end != std::string::npos) {
            line = pending_.substr(0, end);
            if (!line.empty() && line.back() == '\r') line.pop_back();
            pending_.erase(0, end + 1);
            got = true;
            break;
        }
        char buf[4096];
        DWORD n = 0;
        if (!ReadFile(replies_, buf, sizeof buf, &n, nullptr) || n == 0) break;
        pending_.append(buf, n);
    }
    // Waits for a callback that has begun, so that it never outlives pid_.
    if (timer) DeleteTimerQueueTimer(nullptr, timer, INVALID_HANDLE_VALUE);
    if (!got) kill();
    return got;
}

void CMyUnixPeer::stop() {
    if (jobs_ != INVALID_HANDLE_VALUE) CloseHandle(jobs_);
    if (replies_ != INVALID_HANDLE_VALUE) CloseHandle(replies_);
    jobs_ = replies_ = INVALID_HANDLE_VALUE;
    pending_.clear();
    pid_ = 0;
}

void CMyUnixPeer::kill() {
    killUnixProcess(pid_);
    stop();
}

} // namespace refhost
