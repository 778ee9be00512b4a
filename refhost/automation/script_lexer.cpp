#include "automation/script_lexer.h"

static bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

ScriptLine splitScriptLine(const std::string& line) {
    ScriptLine out;
    size_t i = 0;
    const size_t n = line.size();
    while (i < n) {
        while (i < n && isBlank(line[i]))
            ++i;
        if (i >= n || line[i] == '#') break;
        std::string word;
        while (i < n && !isBlank(line[i])) {
            if (line[i] != '"') {
                word += line[i++];
                continue;
            }
            ++i;
            bool closed = false;
            while (i < n) {
                char c = line[i];
                if (c == '"') {
                    closed = true;
                    ++i;
                    break;
                }
                if (c == '\\' && i + 1 < n && (line[i + 1] == '"' || line[i + 1] == '\\')) {
                    word += line[i + 1];
                    i += 2;
                    continue;
                }
                word += c;
                ++i;
            }
            if (!closed) {
                out.words.clear();
                out.error = "unterminated quote";
                return out;
            }
        }
        out.words.push_back(word);
    }
    return out;
}
