#pragma once
// The host's command line.
#include <string>
#include <vector>

namespace refhost {

struct HostOptions {
    std::string pluginFolder; // empty: the folder of the program
    int language = 0;         // the code message 5 carries
    std::string settingsFile;
    std::string scriptFile;
    std::string distiller;
    std::string residentDistiller;
    bool timings = false;        // --timings: the outputs' cost and the memory on stderr at the end
    double dialogTimeout = 0;    // seconds a script waits on dialogs that stand still; 0: default
    double distillerTimeout = 0; // seconds the resident distiller may take a page; 0: default
    std::vector<std::string> projects;
};

// Reads the arguments after the program name. false with error set on a bad command line.
bool parseCommandLine(const std::vector<std::string>& args, HostOptions& options,
                      std::string& error);
// "en" 0, "de" 3, or a decimal number; false for anything else.
bool parseLanguage(const std::string& text, int& code);

extern const char* const kUsage;

} // namespace refhost
