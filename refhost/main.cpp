// layouthost.exe: the reference layout host.
#include "app/command_line.h"
#include "app/host_app.h"
#include "model/wide_text.h"
#include "output/distiller.h"
#include "output/output.h"

#include <windows.h>

#include <fcntl.h>
#include <io.h>
#include <psapi.h>
#include <shellapi.h>

#include <cstdio>

int main() {
    // Scripts and tests read the output byte for byte: UTF-8, no CR added.
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);

    int argc = 0;
    wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    std::vector<std::string> args;
    for (int i = 1; argv && i < argc; ++i)
        args.push_back(narrow(argv[i]));
    LocalFree(argv);

    refhost::HostOptions options;
    std::string error;
    if (!refhost::parseCommandLine(args, options, error)) {
        fprintf(stderr, "layouthost: %s\n%s", error.c_str(), refhost::kUsage);
        return 1;
    }
    int status = refhost::CMyHostApp::instance().run(options);
    refhost::endResidentDistiller();
    if (options.timings) {
        const refhost::OutputTimings& t = refhost::outputTimings();
        PROCESS_MEMORY_COUNTERS memory{};
        memory.cb = sizeof memory;
        K32GetProcessMemoryInfo(GetCurrentProcess(), &memory, sizeof memory);
        fprintf(stderr,
                "timings: outputs %ld, in outputs %.3f s, in hooks %.3f s, first to last %.3f s, "
                "memory %lu KB, peak %lu KB\n",
                t.outputs, t.outputSeconds, t.hookSeconds, t.lastEnd - t.firstStart,
                static_cast<unsigned long>(memory.WorkingSetSize / 1024),
                static_cast<unsigned long>(memory.PeakWorkingSetSize / 1024));
    }
    return status;
}
