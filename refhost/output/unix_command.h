// Running Unix programs from the host under Wine. Wine starts a Unix program but can neither
// wait for it nor read its exit code, so a shell runs it and leaves the exit code in a file
// that appears only once the program has ended.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace refhost {

bool runningUnderWine();
// Wine's path conversions; empty when not under Wine or not convertible.
std::string unixPathOf(const std::string& dosPath);
std::string dosPathOf(const std::string& unixPath);

struct UnixRun {
    bool started = false;
    bool timedOut = false;
    int exitCode = -1;
    std::string output; // stdout and stderr together
};
// argv[0] is the program's Unix path; the arguments are passed unchanged.
UnixRun runUnixCommand(const std::vector<std::string>& argv, unsigned timeoutMs);

// A Unix program that keeps running and is spoken to in lines through two FIFOs of a folder
// of the host, opened by their drive paths: its stdin reads what writeLine sends, its stdout
// answers through readLine. Closing them (stop, or the host's exit) ends its input; a program
// that dies shows as the end of its answers.
class CMyUnixPeer {
  public:
    CMyUnixPeer() = default;
    CMyUnixPeer(const CMyUnixPeer&) = delete;
    CMyUnixPeer& operator=(const CMyUnixPeer&) = delete;
    ~CMyUnixPeer();

    // folder: an existing folder (drive path) that holds the FIFOs, the program's pid and its
    // stderr ("log"); argv[0] is the program's Unix path. Waits up to timeoutMs for the
    // program to be connected.
    bool start(const std::string& folder, const std::vector<std::string>& argv, unsigned timeoutMs);
    bool running() const { return replies_ != INVALID_HANDLE_VALUE; }
    bool writeLine(const std::string& line);
    // The next line without its end; false at end of file or after timeoutMs, when the
    // program is killed.
    bool readLine(std::string& line, unsigned timeoutMs);
    // Closes the FIFOs and forgets the program, which ends on its own at end of input.
    void stop();
    // Kills the program, then stops.
    void kill();

  private:
    HANDLE jobs_ = INVALID_HANDLE_VALUE;
    HANDLE replies_ = INVALID_HANDLE_VALUE;
    std::string folder_;
    std::string pending_; // read but not yet returned
    long pid_ = 0;
};

// Windows command-line quoting of one argument (the rules of CommandLineToArgvW).
std::wstring quoteWindowsArgument(const std::wstring& argument);

} // namespace refhost
