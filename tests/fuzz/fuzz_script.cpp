// The reference host's script lines and command line, on arbitrary text. A line splits into
// words or is refused with a reason; every word can be written back in quotes and splits back
// to itself, so a script can name any file; the command line takes the words or says why not.
#include <cstdint>
#include <string>
#include <vector>

#include "app/command_line.h"
#include "automation/script_lexer.h"
#include "fuzz_require.h"

namespace {

std::string quoted(const std::string& word) {
    std::string out = "\"";
    for (char c : word) {
        if (c == '"' || c == '\\') out += '\\';
        out += c;
    }
    return out + "\"";
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string line(reinterpret_cast<const char*>(data), size);
    ScriptLine split = splitScriptLine(line);
    if (!split.error.empty()) {
        REQUIRE(split.words.empty());
        return 0;
    }
    std::string written;
    for (const std::string& word : split.words)
        written += (written.empty() ? "" : " ") + quoted(word);
    ScriptLine again = splitScriptLine(written);
    REQUIRE(again.error.empty() && again.words == split.words);

    refhost::HostOptions options;
    std::string error;
    if (!refhost::parseCommandLine(split.words, options, error))
        REQUIRE(!error.empty());
    else
        REQUIRE(options.projects.size() <= split.words.size());
    return 0;
}
