#include "output/distiller.h"

#include "model/document.h"
#include "model/file_io.h"
#include "output/unix_command.h"

#include <windows.h>

#include <string>
#include <vector>

namespace refhost {

namespace {

constexpr DWORD kDistillTimeoutMs = 300000;

std::string gDistiller; // empty: the default

std::wstring wide(const std::string& s) {
    std::u16string u = utf8ToUtf16(s);
    return std::wstring(u.begin(), u.end());
}
std::string narrow(const std::wstring& w) {
    return utf16ToUtf8(std::u16string(w.begin(), w.end()));
}

std::wstring commandLine(const std::vector<std::string>& args) {
    std::wstring cmd;
    for (const auto& a : args) {
        if (!cmd.empty()) cmd.push_back(L' ');
        cmd += quoteWindowsArgument(wide(a));
    }
    return cmd;
}

// Ghostscript reads % in the output name as a page-number template.
std::string escapePercent(const std::string& s) {
    std::string out;
    for (char c : s) {
        out.push_back(c);
        if (c == '%') out.push_back('%');
    }
    return out;
}

std::vector<std::string> ghostscriptArguments(const std::string& ps, const std::string& pdf) {
    return {"-q",
            "-dSAFER",
            "-dBATCH",
            "-dNOPAUSE",
            "-sDEVICE=pdfwrite",
            "-dAutoRotatePages=/None",
            "-sOutputFile=" + escapePercent(pdf),
            "-f",
            ps};
}

std::string lastLines(const std::string& log) {
    std::string t = log;
    while (!t.empty() && (t.back() == '\n' || t.back() == '\r' || t.back() == ' '))
        t.pop_back();
    if (t.size() > 400) t = "..." + t.substr(t.size() - 400);
    for (auto& c : t)
        if (c == '\r' || c == '\n') c = ' ';
    return t;
}

bool isWindowsProgram(const std::string& dosPath) {
    HANDLE h = CreateFileW(wide(dosPath).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                           OPEN_EXISTING, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    char magic[2] = {0, 0};
    DWORD got = 0;
    ReadFile(h, magic, 2, &got, nullptr);
    CloseHandle(h);
    return got == 2 && magic[0] == 'M' && magic[1] == 'Z';
}

// A Windows program: started, waited for, its exit code read.
DistillStatus runWindowsProgram(const std::string& program, const std::string& ps,
                                const std::string& pdf, std::string* error) {
    std::vector<std::string> args = {program};
    for (auto& a : ghostscriptArguments(ps, pdf))
        args.push_back(a);
    std::wstring cmd = commandLine(args);
    std::string logPath = temporaryPath("layouthost-gs") + ".log";
    SECURITY_ATTRIBUTES sa{sizeof sa, nullptr, TRUE};
    HANDLE log = CreateFileW(wide(logPath).c_str(), GENERIC_WRITE, FILE_SHARE_READ, &sa,
                             CREATE_ALWAYS, FILE_ATTRIBUTE_TEMPORARY, nullptr);
    STARTUPINFOW si{};
    si.cb = sizeof si;
    if (log != INVALID_HANDLE_VALUE) {
        si.dwFlags = STARTF_USESTDHANDLES;
        si.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
        si.hStdOutput = log;
        si.hStdError = log;
    }
    PROCESS_INFORMATION pi{};
    BOOL started = CreateProcessW(wide(program).c_str(), &cmd[0], nullptr, nullptr, TRUE,
                                  CREATE_NO_WINDOW, nullptr, nullptr, &si, &pi);
    if (log != INVALID_HANDLE_VALUE) CloseHandle(log);
    if (!started) {
        removeFile(logPath);
        if (error) *error = "the distiller " + program + " could not be started";
        return DistillStatus::Missing;
    }
    DWORD waited = WaitForSingleObject(pi.hProcess, kDistillTimeoutMs);
    DWORD code = 1;
    if (waited != WAIT_OBJECT_0)
        TerminateProcess(pi.hProcess, 1);
    else
        GetExitCodeProcess(pi.hProcess, &code);
    CloseHandle(pi.hProcess);
    CloseHandle(pi.hThread);
    std::string text;
    readWholeFile(logPath, text);
    removeFile(logPath);
    if (waited != WAIT_OBJECT_0) {
        if (error) *error = "the distiller " + program + " did not finish in time";
        return DistillStatus::Failed;
    }
    if (code != 0) {
        if (error)
            *error = "the distiller " + program + " failed (exit code " + std::to_string(code) +
                     "): " + lastLines(text);
        return DistillStatus::Failed;
    }
    return DistillStatus::Ok;
}

// A Unix program under Wine, with Unix paths.
DistillStatus runUnixProgram(const std::string& program, const std::string& ps,
                             const std::string& pdf, std::string* error) {
    std::string psU = unixPathOf(ps), pdfU = unixPathOf(pdf);
    if (psU.empty() || pdfU.empty()) {
        if (error) *error = "the distiller " + program + " cannot be given the file paths";
        return DistillStatus::Failed;
    }
    std::vector<std::string> argv = {program};
    for (auto& a : ghostscriptArguments(psU, pdfU))
        argv.push_back(a);
    UnixRun run = runUnixCommand(argv, kDistillTimeoutMs);
    if (!run.started) {
        if (error) *error = "the distiller " + program + " could not be started";
        return DistillStatus::Missing;
    }
    if (run.timedOut) {
        if (error) *error = "the distiller " + program + " did not finish in time";
        return DistillStatus::Failed;
    }
    if (run.exitCode != 0) {
        if (error)
            *error = "the distiller " + program + " failed (exit code " +
                     std::to_string(run.exitCode) + "): " + lastLines(run.output);
        return DistillStatus::Failed;
    }
    return DistillStatus::Ok;
}

} // namespace

void setDistillerPath(const std::string& path) {
    gDistiller = path;
}

std::string distillerPath() {
    if (!gDistiller.empty()) return gDistiller;
    return runningUnderWine() ? "/usr/bin/gs" : "gswin64c.exe";
}

DistillStatus distill(const std::string& psPath, const std::string& pdfPath, std::string* error) {
    std::string program = distillerPath();
    DistillStatus st = DistillStatus::Missing;
    bool wine = runningUnderWine();
    bool unixPath = !program.empty() && program[0] == '/';
    if (unixPath && !wine) {
        if (error) *error = "the distiller " + program + " is a Unix path, which needs Wine";
    } else {
        // Resolve to a file: a Unix path through Wine, a bare name through the search path.
        std::string dos = unixPath ? dosPathOf(program) : program;
        if (!unixPath && program.find_first_of("\\/:") == std::string::npos) {
            dos.clear();
            std::wstring name = wide(program);
            DWORD need = SearchPathW(nullptr, name.c_str(), nullptr, 0, nullptr, nullptr);
            if (need > 0) {
                std::wstring found(need, L'\0');
                DWORD got = SearchPathW(nullptr, name.c_str(), nullptr, need, &found[0], nullptr);
                if (got > 0 && got < need) dos = narrow(found.substr(0, got));
            }
        }
        if (dos.empty() || !fileExists(dos)) {
            if (error) *error = "the distiller " + program + " was not found";
        } else if (isWindowsProgram(dos)) {
            st = runWindowsProgram(dos, psPath, pdfPath, error);
        } else if (wine) {
            std::string unixProgram = unixPath ? program : unixPathOf(dos);
            st = runUnixProgram(unixProgram, psPath, pdfPath, error);
        } else {
            if (error) *error = "the distiller " + program + " is not a Windows program";
        }
    }
    if (st == DistillStatus::Ok && !fileExists(pdfPath)) {
        if (error) *error = "the distiller " + program + " wrote no PDF";
        st = DistillStatus::Failed;
    }
    if (st != DistillStatus::Ok) removeFile(pdfPath);
    return st;
}

} // namespace refhost
