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
        return run;
    run.started = true;
    CloseHandle(pi.hProcess);
    CloseHandle(pi.hThread);
    DWORD startTick = GetTickCount();
    std::string status;
    while (!readWholeFile(statusDos, status)) {
        if (GetTickCount() - startTick > timeoutMs) {
            run.timedOut = true;
            break;
        }
        Sleep(20);
    }
    readWholeFile(logDos, run.output);
    removeFile(logDos);
    removeFile(statusDos);
    if (!run.timedOut) run.exitCode = status.empty() ? -1 : std::atoi(status.c_str());
    return run;
}

} // namespace refhost
