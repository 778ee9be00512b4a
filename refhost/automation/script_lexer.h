#pragma once
// Splits one line of a host script into its arguments.
#include <string>
#include <vector>

struct ScriptLine {
    std::vector<std::string> words; // empty for a blank or comment line
    std::string error;              // set when the line cannot be split
};

// Blanks separate arguments; double quotes group blanks into one argument, inside which a
// backslash before a quote or a backslash stands for that character (any other backslash
// stays, for Windows paths). A '#' that begins a word outside quotes starts a comment.
ScriptLine splitScriptLine(const std::string& line);
