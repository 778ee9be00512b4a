// The reference host's settings reader on arbitrary text. A refused file leaves the settings in
// use untouched and says why; a file it takes is written out and read back to the same text, and
// the values an export reads from each style (bleed, spreads) are usable ones.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "fuzz_require.h"
#include "model/output_style.h"
#include "plugins/handles.h"

using namespace refhost;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string text(reinterpret_cast<const char*>(data), size);
    HostSettings settings;
    resetSettings(settings);
    settings.path = "C:\\settings.json";
    const std::string before = settingsToJson(settings);
    std::string error;
    if (!parseSettings(text, "fuzz.json", settings, &error)) {
        REQUIRE(error.rfind("fuzz.json: ", 0) == 0 && error.size() > 11);
        REQUIRE(settingsToJson(settings) == before && settings.path == "C:\\settings.json");
        return 0;
    }
    REQUIRE(settings.path == "C:\\settings.json");

    const std::string written = settingsToJson(settings);
    HostSettings again;
    REQUIRE(parseSettings(written, "again.json", again, &error));
    REQUIRE(settingsToJson(again) == written);

    for (const auto& style : settings.styles) {
        REQUIRE(findStyle(settings, style->name) == style.get());
        OutputStyle* fallback = defaultStyle(settings, style->type);
        REQUIRE(fallback && fallback->type == style->type);
        double bleed = styleBleed(*style);
        REQUIRE(std::isfinite(bleed) && bleed >= 0 && bleed <= kMaxBleed);
        KxhFixed fixed = toFixed(bleed);
        REQUIRE(fixed >= 0 && std::fabs(fromFixed(fixed) - bleed) <= 1.0 / 65536);
        styleExportsSpreads(*style);
    }
    return 0;
}
