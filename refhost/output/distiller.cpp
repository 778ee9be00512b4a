#include "output/distiller.h"

#include "model/document.h"
#include "model/file_io.h"
#include "output/unix_command.h"

#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

namespace refhost {

namespace {

constexpr DWORD kDistillTimeoutMs = 300000;
constexpr unsigned kResidentStartMs = 30000;
unsigned gResidentPageMs = 120000; // --distiller-timeout
// Ghostscript's memory grows by some kilobytes a page whatever the job loop gives back.
constexpr unsigned kResidentPagesPerRun = 1000;
// Deaths in a row without a page done before the resident distiller is given up.
constexpr unsigned kResidentMaxFailures = 3;
// Names tried for the spool folder: a folder of a session that ended without removing its
// own (Wine hands out the same process ids again after a restart) takes only its name.
constexpr unsigned kSpoolNameTries = 100;

std::string gDistiller;         // empty: the default
std::string gResidentDistiller; // empty: Ghostscript itself when gDistiller is the default

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

// Reads one job a line from stdin, a name N: distills SPOOL/page.ps into SPOOL/N.pdf and answers
// "LHdone N ok" or "LHdone N failed ERROR" on a line of its own. Switching the output file
// away completes the PDF (the null device alone leaves it open while a page's save holds the
// device); save and restore keep one page's definitions from the next.
const char* const kJobLoop = R"PS(/LHline 4096 string def
/LHjobs (%stdin) (r) file def
/LHjoin { exch dup length 2 index length add string dup dup 4 2 roll copy length
  4 -1 roll putinterval } bind def
/LHreply { (\nLHdone ) print LHname print ( ) print print (\n) print flush } bind def
nulldevice
(\nLHready\n) print flush
{
  LHjobs LHline readline not { pop exit } if
  dup length 0 eq { pop } {
    /LHname exch dup length string copy def
    save /LHsave exch def
    /LHps LHspool (page.ps) LHjoin def
    /LHpdf LHspool LHname LHjoin (.pdf) LHjoin def
    { << /OutputDevice /pdfwrite /OutputFile LHpdf /AutoRotatePages /None >> setpagedevice
      LHps run } stopped
    { << /OutputFile (/dev/null) >> setpagedevice } stopped or
    { (failed ) $error /errorname get 128 string cvs LHjoin } { (ok) } ifelse
    /LHanswer exch def
    nulldevice
    LHanswer LHreply
    clear cleardictstack LHsave restore
  } ifelse
} loop
quit
)PS";

bool endsLikePdf(const std::string& path) {
    HANDLE h = CreateFileW(wide(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                           OPEN_EXISTING, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    char tail[64] = {};
    DWORD got = 0;
    LARGE_INTEGER size{};
    bool ok = GetFileSizeEx(h, &size) && size.QuadPart > 16;
    if (ok) {
        LARGE_INTEGER at{};
        at.QuadPart =
            size.QuadPart > LONGLONG(sizeof tail) ? size.QuadPart - LONGLONG(sizeof tail) : 0;
        ok = SetFilePointerEx(h, at, nullptr, FILE_BEGIN) &&
             ReadFile(h, tail, sizeof tail, &got, nullptr);
    }
    CloseHandle(h);
    return ok && std::string(tail, got).find("%%EOF") != std::string::npos;
}

// One Ghostscript for the whole session, fed a page at a time through a spool folder it may
// write to (-dSAFER refuses any other). Whatever goes wrong with it, the page falls back to a
// run of its own and the next page starts a fresh one.
class CMyResidentDistiller {
  public:
    ~CMyResidentDistiller() { shutDown(); }
    // true: pdf is written, or finalPdf when *placed says so. false: nothing was written and ps
    // is where it was.
    bool distill(const std::string& program, const std::string& ps, const std::string& pdf,
                 const std::string& finalPdf, bool& placed) {
        if (given_up_) return false;
        std::string why;
        if (!peer_.running() && !start(program, why)) {
            given_up_ = true;
            std::fprintf(stderr,
                         "distiller: %s cannot be kept running (%s): every page is distilled by "
                         "a run of its own\n",
                         program.c_str(), why.c_str());
            return false;
        }
        std::string name = std::to_string(++jobNumber_);
        std::string input = spool_ + "\\" + kInputName;
        std::string spoolPdf = spool_ + "\\" + name + ".pdf";
        // PostScript written where inputPath() said is read in place.
        bool moved = ps != input;
        if (moved && !replaceFile(ps, input)) return false;
        std::string answer;
        bool answered = peer_.writeLine(name) && awaitAnswer(name, answer);
        // A file that does not end as a PDF ends would be a broken page, not a slow one.
        if (answered && answer == "ok" && !endsLikePdf(spoolPdf)) answered = false;
        placed = answered && answer == "ok" && !finalPdf.empty() && renameOver(spoolPdf, finalPdf);
        bool done = placed || (answered && answer == "ok" && replaceFile(spoolPdf, pdf));
        if (!done) {
            removeFile(spoolPdf);
            if (moved) replaceFile(input, ps);
        }
        if (!answered) {
            peer_.kill();
            if (++failures_ >= kResidentMaxFailures) {
                given_up_ = true;
                std::fprintf(stderr,
                             "distiller: %s failed %u times in a row: every further page is "
                             "distilled by a run of its own\n",
                             program.c_str(), failures_);
            }
        } else {
            failures_ = 0;
        }
        if (++pagesThisRun_ >= kResidentPagesPerRun) peer_.stop();
        return done;
    }

    // Where the next page's PostScript is read without a move: the input file in the spool
    // folder, which is made if need be. Empty once the resident distiller is given up.
    std::string inputPath() {
        if (given_up_) return std::string();
        if (spool_.empty()) {
            std::string why;
            spool_ = createSpoolFolder(why);
            if (spool_.empty()) return std::string();
        }
        return spool_ + "\\" + kInputName;
    }
    bool isInput(const std::string& path) const {
        return !spool_.empty() && path == spool_ + "\\" + kInputName;
    }

    // Ends the program and removes the spool folder.
    void shutDown() {
        peer_.stop();
        if (spool_.empty()) return;
        // Wine cannot delete the FIFOs by their drive paths.
        std::string spoolU = unixPathOf(spool_);
        if (!spoolU.empty()) runUnixCommand({"/bin/rm", "-rf", "--", spoolU}, kResidentStartMs);
        for (const char* f :
             {"jobs", "replies", "pid", "opened", "failed", "log", "loop.ps", kInputName})
            removeFile(spool_ + "\\" + f);
        RemoveDirectoryW(wide(spool_).c_str());
        spool_.clear();
    }

  private:
    // Every page's PostScript in turn: written over, never removed, so that no page pays for
    // a new name in the folder.
    static constexpr const char* kInputName = "page.ps";

    static std::string createSpoolFolder(std::string& why) {
        for (unsigned i = 0; i < kSpoolNameTries; ++i) {
            std::string path = temporaryPath("layouthost-spool");
            if (CreateDirectoryW(wide(path).c_str(), nullptr)) return path;
            if (GetLastError() != ERROR_ALREADY_EXISTS) {
                why = "the spool folder " + path + " cannot be created";
                return std::string();
            }
        }
        why = "every name for a spool folder is taken";
        return std::string();
    }

    bool start(const std::string& program, std::string& why) {
        if (spool_.empty()) {
            spool_ = createSpoolFolder(why);
            if (spool_.empty()) return false;
        }
        // Ghostscript matches the permitted folder against the real path: Wine's own one
        // passes through "dosdevices/c:", which it refuses.
        std::string spoolU = unixPathOf(spool_);
        why = "the spool folder has no usable Unix path";
        if (spoolU.empty()) return false;
        UnixRun real = runUnixCommand({"/bin/sh", "-c", "cd \"$1\" && pwd -P", "sh", spoolU},
                                      kResidentStartMs);
        if (real.exitCode != 0) return false;
        spoolU = real.output;
        while (!spoolU.empty() && (spoolU.back() == '\n' || spoolU.back() == '\r'))
            spoolU.pop_back();
        // Ghostscript reads % in an output name as a page number.
        if (spoolU.empty() || spoolU.find_first_of("%\n") != std::string::npos) return false;
        if (!writeFileAtomic(spool_ + "\\loop.ps", kJobLoop, &why)) return false;
        spoolU += "/";
        std::vector<std::string> argv = {program,
                                         "-q",
                                         "-dSAFER",
                                         "-dBATCH",
                                         "-dNOPAUSE",
                                         "-sDEVICE=pdfwrite",
                                         "-dAutoRotatePages=/None",
                                         "-sOutputFile=/dev/null",
                                         "--permit-file-read=" + spoolU,
                                         "--permit-file-write=" + spoolU,
                                         "-sLHspool=" + spoolU,
                                         spoolU + "loop.ps"};
        pagesThisRun_ = 0;
        why = "it could not be started";
        if (!peer_.start(spool_, argv, kResidentStartMs)) return false;
        std::string line;
        while (peer_.readLine(line, kResidentStartMs))
            if (line == "LHready") return true;
        why = "it did not report ready";
        return false;
    }

    // Lines a page prints itself are passed over; an answer to another job makes no sense.
    bool awaitAnswer(const std::string& name, std::string& answer) {
        std::string line;
        while (peer_.readLine(line, gResidentPageMs)) {
            if (line.compare(0, 7, "LHdone ") != 0) continue;
            std::string rest = line.substr(7);
            if (rest.compare(0, name.size() + 1, name + " ") != 0) return false;
            answer = rest.substr(name.size() + 1);
            return true;
        }
        return false;
    }

    CMyUnixPeer peer_;
    std::string spool_;
    unsigned jobNumber_ = 0;
    unsigned pagesThisRun_ = 0;
    unsigned failures_ = 0;
    bool given_up_ = false;
};

CMyResidentDistiller& residentDistiller() {
    static CMyResidentDistiller resident;
    return resident;
}

// The Unix program to keep running, or empty for a run per output.
std::string findResidentProgram() {
    if (gResidentDistiller == "none" || !runningUnderWine()) return std::string();
    std::string program = gResidentDistiller;
    if (program.empty()) {
        if (!gDistiller.empty()) return std::string();
        program = "/usr/bin/gs";
    }
    if (program[0] != '/') return std::string();
    std::string dos = dosPathOf(program);
    if (dos.empty() || !fileExists(dos) || isWindowsProgram(dos)) return std::string();
    return program;
}

// Looked up once: every page asks.
bool gResidentKnown = false;
std::string gResidentProgram;
std::string residentProgram() {
    if (!gResidentKnown) gResidentProgram = findResidentProgram();
    gResidentKnown = true;
    return gResidentProgram;
}

} // namespace

void setResidentDistillerPath(const std::string& path) {
    gResidentDistiller = path;
    gResidentKnown = false;
}

void setResidentDistillerTimeout(double seconds) {
    if (seconds > 0 && seconds <= 86400) gResidentPageMs = static_cast<unsigned>(seconds * 1000);
}

void endResidentDistiller() {
    residentDistiller().shutDown();
}

std::string distillerInput() {
    std::string spooled;
    if (!residentProgram().empty()) spooled = residentDistiller().inputPath();
    return spooled.empty() ? temporaryPath("layouthost") + ".ps" : spooled;
}

void releaseDistillerInput(const std::string& psPath) {
    if (!residentDistiller().isInput(psPath)) removeFile(psPath);
}

void setDistillerPath(const std::string& path) {
    gDistiller = path;
    gResidentKnown = false;
}

std::string distillerPath() {
    if (!gDistiller.empty()) return gDistiller;
    return runningUnderWine() ? "/usr/bin/gs" : "gswin64c.exe";
}

DistillStatus distill(const std::string& psPath, const std::string& pdfPath, std::string* error,
                      const std::string& finalPath, bool* placed) {
    if (placed) *placed = false;
    std::string resident = residentProgram();
    bool moved = false;
    if (!resident.empty() &&
        residentDistiller().distill(resident, psPath, pdfPath, placed ? finalPath : "", moved)) {
        if (moved) {
            *placed = true;
            return DistillStatus::Ok;
        }
        if (fileExists(pdfPath)) return DistillStatus::Ok;
        removeFile(pdfPath);
    }
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
