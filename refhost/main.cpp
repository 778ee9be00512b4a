// layouthost.exe: the reference layout host.
#include "app/command_line.h"
#include "app/host_app.h"
#include "app/wide_text.h"

#include <windows.h>

#include <fcntl.h>
#include <io.h>
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
    return refhost::CMyHostApp::instance().run(options);
}
