// Running Unix programs from the host under Wine. Wine starts a Unix program but can neither
// wait for it nor read its exit code, so a shell runs it and leaves the exit code in a file
// that appears only once the program has ended.
#pragma once

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

// Windows command-line quoting of one argument (the rules of CommandLineToArgvW).
std::wstring quoteWindowsArgument(const std::wstring& argument);

} // namespace refhost
