// The preferences parser and editor on arbitrary file bytes: the memory form keeps its shape,
// the file form is stable after one round, and a write that is accepted reads back exactly.
#include "foundation/prefs.h"
#include "fuzz_require.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

// Right after a load no CR follows another; a freshly appended section may leave two.
static void checkMemoryForm(const CMyPrefs& prefs, bool normalised) {
    REQUIRE(prefs.text() && prefs.length() < prefs.capacity());
    REQUIRE(prefs.text()[prefs.length()] == 0);
    for (uint64_t i = 0; i < prefs.length(); ++i) {
        char c = prefs.text()[i];
        REQUIRE(c != '\n');
        REQUIRE(!normalised || c != '\r' || i == 0 || prefs.text()[i - 1] != '\r');
    }
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const char* bytes = reinterpret_cast<const char*>(data);
    CMyPrefs prefs;
    if (prefs.loadBytes(bytes, size) != StoreResult::Ok) return 0;
    checkMemoryForm(prefs, true);
    REQUIRE(prefs.text()[0] == '\r' && prefs.text()[prefs.length() - 1] == '\r');

    const std::string file = prefs.fileForm();
    CMyPrefs again;
    REQUIRE(again.loadBytes(file.data(), file.size()) == StoreResult::Ok);
    REQUIRE(again.fileForm() == file);

    // Names and values from the input itself, so the fuzzer steers them into its own text.
    std::vector<std::string> tokens;
    std::string token;
    for (size_t i = 0; i < size && tokens.size() < 12; ++i) {
        if (strchr("\r\n=[]", bytes[i]) && bytes[i]) {
            tokens.push_back(token);
            token.clear();
        } else if (bytes[i]) {
            token += bytes[i];
        }
    }
    tokens.push_back(token);
    char small[8];
    for (size_t i = 0; i + 2 < tokens.size(); i += 3) {
        const char* section = tokens[i].c_str();
        const char* key = tokens[i + 1].c_str();
        const char* value = tokens[i + 2].c_str();
        int32_t length = prefs.getString(section, key, small, sizeof small);
        REQUIRE(length < static_cast<int32_t>(sizeof small) && (length < 0 || small[length] == 0));
        prefs.getInt(section, key, 0);
        if (prefs.setString(section, key, value) == StoreResult::Ok) {
            std::vector<char> read(tokens[i + 2].size() + 1);
            REQUIRE(prefs.getString(section, key, read.data(), read.size()) ==
                    static_cast<int32_t>(tokens[i + 2].size()));
            REQUIRE(tokens[i + 2] == read.data());
        }
        checkMemoryForm(prefs, false);
    }
    return 0;
}
