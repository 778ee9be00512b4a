#include "app/command_line.h"

#include <cerrno>
#include <cstdlib>

namespace refhost {

const char* const kUsage =
    "usage: layouthost [--plugins DIR] [--lang en|de|N] [--settings FILE] [--script FILE]\n"
    "                  [--distiller PATH] [--resident-distiller PATH|none]\n"
    "                  [--distiller-timeout SECONDS] [--dialog-timeout SECONDS] [--timings]\n"
    "                  [PROJECT.lyt ...]\n";

bool parseLanguage(const std::string& text, int& code) {
    if (text == "en") {
        code = 0;
        return true;
    }
    if (text == "de") {
        code = 3;
        return true;
    }
    if (text.empty() || text.size() > 6) return false;
    for (char c : text)
        if (c < '0' || c > '9') return false;
    code = std::atoi(text.c_str());
    return code <= 0xFFFF;
}

namespace {

bool parseSeconds(const std::string& text, double& seconds) {
    char* end = nullptr;
    errno = 0;
    seconds = std::strtod(text.c_str(), &end);
    return !text.empty() && end && !*end && errno == 0 && seconds > 0 && seconds <= 86400;
}

} // namespace

bool parseCommandLine(const std::vector<std::string>& args, HostOptions& options,
                      std::string& error) {
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg.size() < 2 || arg.compare(0, 2, "--") != 0) {
            options.projects.push_back(arg);
            continue;
        }
        if (arg == "--timings") {
            options.timings = true;
            continue;
        }
        std::string name = arg, value;
        bool inlineValue = false;
        size_t eq = arg.find('=');
        if (eq != std::string::npos) {
            name = arg.substr(0, eq);
            value = arg.substr(eq + 1);
            inlineValue = true;
        }
        if (name != "--plugins" && name != "--lang" && name != "--settings" && name != "--script" &&
            name != "--distiller" && name != "--resident-distiller" && name != "--dialog-timeout" &&
            name != "--distiller-timeout") {
            error = "unknown option " + name;
            return false;
        }
        if (!inlineValue) {
            if (i + 1 >= args.size()) {
                error = name + " needs a value";
                return false;
            }
            value = args[++i];
        }
        if (name == "--plugins")
            options.pluginFolder = value;
        else if (name == "--settings")
            options.settingsFile = value;
        else if (name == "--script")
            options.scriptFile = value;
        else if (name == "--distiller")
            options.distiller = value;
        else if (name == "--resident-distiller")
            options.residentDistiller = value;
        else if (name == "--dialog-timeout") {
            if (!parseSeconds(value, options.dialogTimeout)) {
                error = "--dialog-timeout takes a number of seconds above 0, not \"" + value + "\"";
                return false;
            }
        } else if (name == "--distiller-timeout") {
            if (!parseSeconds(value, options.distillerTimeout)) {
                error =
                    "--distiller-timeout takes a number of seconds above 0, not \"" + value + "\"";
                return false;
            }
        } else if (!parseLanguage(value, options.language)) {
            error = "--lang takes en, de or a number, not \"" + value + "\"";
            return false;
        }
    }
    return true;
}

} // namespace refhost
