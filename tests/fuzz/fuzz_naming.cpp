// The file-naming record read from an output style, with values of any shape (long, negative,
// not numbers, missing), and page names of any shape. A style is either refused with a reason or
// names every page: never a cut separator or suffix, never a file outside the chosen folder,
// never a name Windows keeps for a device, never two pages on one file (as Windows compares
// names: without case over the whole of Unicode).
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "export/file_naming.h"
#include "export/naming_modes.h"
#include "export/page_range.h"
#include "export/style_choice.h"
#include "fake_host.h"
#include "foundation/paths.h"
#include "foundation/prefs.h"
#include "foundation/settings.h"
#include "fuzz_require.h"

namespace {

// Lines of the input; a line of just "~" stands for a value the style does not hold.
const char* const kKeys[] = {"Base", "Sep", "Numbers", "Suffix", "PageMargins", "NumberBeforeName"};
const char kFolder[] = "C:\\Jobs\\";

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const bool loaded = settingsStore().loadBytes("[General]\r", 10) == StoreResult::Ok;
    REQUIRE(loaded);
    // Texts the host hands out end at their first zero byte.
    std::vector<std::string> lines(1);
    for (size_t i = 0; i < size; i++) {
        if (data[i] == '\n')
            lines.emplace_back();
        else
            lines.back() += static_cast<char>(data[i]);
    }
    for (std::string& line : lines)
        line = line.c_str();
    lines.resize(std::max<size_t>(lines.size(), 8));
    std::string control = lines[0] + std::string(4, '\0');
    const uint8_t flags = static_cast<uint8_t>(control[0]);
    const int pages = 1 + static_cast<uint8_t>(control[3]) % 48;

    FakeHost host;
    FakeLayout& layout = host.addLayout(pages);
    // The name stands for what the user confirmed in the Save dialog: a file name in a folder.
    layout.name = lines[7].empty() ? "Layout 1" : lines[7];
    std::replace(layout.name.begin(), layout.name.end(), '\\', '_');
    for (size_t i = 8; i < lines.size() && i - 8 < layout.pageNames.size(); i++)
        layout.pageNames[i - 8] = lines[i];
    if (flags & 4)
        for (int p = 1; p <= pages; p += 2)
            layout.spreads.push_back(p < pages ? std::vector<int>{p, p + 1} : std::vector<int>{p});

    const uint32_t type = flags & 1 ? KXH_TYPE_EPS : KXH_TYPE_PDF;
    FakeStyle& style = host.addStyle("Fuzz", type);
    FakeEntries& naming = style.containers[kPluginId];
    for (size_t k = 0; k < 6; k++)
        if (lines[1 + k] != "~") naming[std::string("FWiz/") + kKeys[k]] = lines[1 + k];
    if (flags & 4) {
        if (type == KXH_TYPE_EPS)
            style.containers[KXH_OWNER_EPS]["EPS/General/Spread"] = "1";
        else
            style.containers[KXH_OWNER_PDF]["PageOptions/Spreads"] = "1";
    }
    REQUIRE(setPrefInt(kGeneralSection, "AddAlways", flags & 8 ? 1 : 0) == StoreResult::Ok);

    ExportRequest state{};
    state.layoutId = 0;
    state.pageCount = static_cast<int16_t>(pages);
    state.absolute = flags & 2 ? 1 : 0;
    state.offset = static_cast<int16_t>(static_cast<uint8_t>(control[1]) |
                                        static_cast<uint8_t>(control[2]) << 8);
    REQUIRE(chooseStyle(state, "Fuzz"));

    // The separator and suffix are what the style holds, or the style is marked unusable.
    for (const char* key : {"Sep", "Suffix"}) {
        const char* field = strcmp(key, "Sep") == 0 ? state.naming.separator : state.naming.suffix;
        REQUIRE(strnlen(field, kShortTextSize) < kShortTextSize);
        auto stored = naming.find(std::string("FWiz/") + key);
        if (stored == naming.end()) continue;
        bool fits = stored->second.size() < kShortTextSize;
        if (fits) REQUIRE(stored->second.c_str() == std::string(field));
        if (!fits) REQUIRE(state.naming.namingTooLong == 1);
    }

    snprintf(state.exportPath, sizeof state.exportPath, "%s%s", kFolder, layout.name.c_str());
    PageSelection selection = pageSelection(state);
    selection.pageFlags.assign(static_cast<size_t>(pages) + 1, 1);
    selection.pageFlags[0] = 0;
    NamingCheck check = checkOutputNames(state, selection);
    if (check.problem != NamingProblem::none) {
        REQUIRE(namingProblemKey(check.problem) != nullptr);
        return 0;
    }
    bool oneFile = fileModeOf(state.naming.suffix) == FileMode::OneFile;
    REQUIRE(!state.naming.namingTooLong || oneFile);
    if (oneFile) return 0;

    // Every page the run writes gets a file of its own, directly in the chosen folder.
    const std::string folder = kFolder;
    if (state.spreads == 1) reduceToSpreads(selection);
    std::set<std::string, FileNameLess> files;
    for (int p = 1; p <= pages; p++) {
        if (selection.pageFlags[static_cast<size_t>(p)] != 1) continue;
        std::string file;
        REQUIRE(composeFileName(state, p, file));
        REQUIRE(file.compare(0, folder.size(), folder) == 0);
        REQUIRE(file.find('\\', folder.size()) == std::string::npos);
        REQUIRE(!isReservedDeviceName(file.c_str() + folder.size()));
        REQUIRE(files.insert(file).second);
    }
    return 0;
}
