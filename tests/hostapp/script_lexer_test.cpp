// Splitting of script lines: quoting, escapes, comments and Windows paths.
#include "automation/script_lexer.h"

#include <gtest/gtest.h>

namespace {

struct LexCase {
    const char* line;
    std::vector<std::string> words;
    bool fails;
};

std::string joined(const std::vector<std::string>& words) {
    std::string s;
    for (const auto& w : words)
        s += "[" + w + "]";
    return s;
}

TEST(ScriptLexer, SplitsLinesLikeTheScriptFormatSays) {
    const LexCase cases[] = {
        {"", {}, false},
        {"   \t ", {}, false},
        {"# a comment", {}, false},
        {"  # indented comment", {}, false},
        {"quit", {"quit"}, false},
        {"page   3\r", {"page", "3"}, false},
        {"print \"Default PDF\" out.pdf 1 12",
         {"print", "Default PDF", "out.pdf", "1", "12"},
         false},
        {"set 3 \"\"", {"set", "3", ""}, false},
        {"set 3 \"say \\\"hi\\\"\"", {"set", "3", "say \"hi\""}, false},
        {"file-name \"C:\\\\out\\\\a b\"", {"file-name", "C:\\out\\a b"}, false},
        // Backslashes outside quotes and before other characters stay: Windows paths.
        {"open Z:\\tmp\\x.lyt", {"open", "Z:\\tmp\\x.lyt"}, false},
        {"open \"Z:\\tmp\\x.lyt\"", {"open", "Z:\\tmp\\x.lyt"}, false},
        {"select Logo # trailing comment", {"select", "Logo"}, false},
        {"set 4 a#b", {"set", "4", "a#b"}, false},
        {"set 4 \"# not a comment\"", {"set", "4", "# not a comment"}, false},
        {"menu \"Export pages…\"", {"menu", "Export pages…"}, false},
        {"set 4 ab\"c d\"e", {"set", "4", "abc de"}, false},
        {"set 4 \"open", {}, true},
        {"set 4 \"ends in escape\\\"", {}, true},
    };
    for (const auto& c : cases) {
        ScriptLine got = splitScriptLine(c.line);
        EXPECT_EQ(c.fails, !got.error.empty()) << "line: " << c.line << "\n error: " << got.error;
        EXPECT_EQ(joined(c.words), joined(got.words)) << "line: " << c.line;
    }
}

} // namespace
