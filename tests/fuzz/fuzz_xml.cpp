// The XML reader and the string lookup on arbitrary bytes. The first line is the tag name or
// key, the rest the document. Every result must be a piece of the document and stay in bounds.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "foundation/localize.h"
#include "foundation/platform/posix/resource_registry.h"
#include "foundation/temppool.h"
#include "foundation/xml.h"
#include "fuzz_require.h"

struct Walk {
    const std::string* document;
    int visits;
};

static bool visit(const char* element, int32_t length, void* context) {
    Walk* walk = static_cast<Walk*>(context);
    REQUIRE(length > 0 && strlen(element) == static_cast<size_t>(length));
    REQUIRE(element[0] == '<' && element[length - 1] == '>');
    REQUIRE(walk->document->find(element) != std::string::npos);
    return ++walk->visits < 10000;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string input(reinterpret_cast<const char*>(data), size);
    size_t newline = input.find('\n');
    std::string name = input.substr(0, newline == std::string::npos ? 0 : newline);
    std::string document = newline == std::string::npos ? input : input.substr(newline + 1);
    name = name.c_str(); // the reader sees NUL-terminated texts
    document = document.c_str();

    char value[kXmlValueSize + 8];
    memset(value, '#', sizeof value);
    int32_t n = xmlGetText(document.c_str(), name.c_str(), value);
    REQUIRE(n >= 0 && n <= kXmlMaxText && value[n] == 0);
    REQUIRE(value[kXmlValueSize] == '#');
    if (n > 0) REQUIRE(document.find(std::string(value, n)) != std::string::npos);
    xmlGetInt(document.c_str(), name.c_str(), -1);

    Walk walk{&document, 0};
    xmlForEachElement(document.c_str(), name.c_str(), visit, &walk);

    registerResource("MYSTRINGS_E", "XML", document.data(), document.size());
    setInterfaceLanguage(0);
    REQUIRE(loadStringTable() == 0);
    for (const char* suffix : {"", ":", "?", "\xE2\x80\xA6"}) {
        std::string key = name + suffix;
        char dest[kLocalizedSize + 8];
        memset(dest, '#', sizeof dest);
        localizeLabel(&key[0], dest);
        REQUIRE(strlen(dest) < kLocalizedSize && dest[kLocalizedSize] == '#');
        localizeLabelWide(key.c_str());
    }
    unloadStringTable();
    clearRegisteredResources();
    releaseTemporaryStrings();
    return 0;
}
