// The blocks Kestrix reads back from a document, as another program may have left them: the
// output style remembered with a layout, and the tracking history of a document. The first
// line of the input is the layout's block, the rest the history.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "export/export_host.h"
#include "export/style_choice.h"
#include "fake_host.h"
#include "foundation/encoding.h"
#include "foundation/prefs.h"
#include "foundation/settings.h"
#include "foundation/temppool.h"
#include "fuzz_require.h"
#include "host/host_tables.h"
#include "host/tracking.h"

namespace {

typedef std::vector<uint8_t> Bytes;
bool gHasHistory = false;
Bytes gHistory;

Bytes* bytesOf(KxhBlock block) {
    return reinterpret_cast<Bytes*>(block);
}

// The document's data and the host's memory blocks, as the tracking commands reach them.
void installDocumentTables() {
    HostTables& t = hostTables();
    t.docData.getDocumentData = [](int32_t document, uint32_t, KxhBlock* block) {
        *block = document == 0 && gHasHistory ? reinterpret_cast<KxhBlock>(new Bytes(gHistory))
                                              : nullptr;
        return *block ? KXH_OK : KXH_NONE;
    };
    t.docData.setDocumentData = [](int32_t document, uint32_t, KxhBlock block) {
        if (document != 0) return KXH_NONE;
        gHasHistory = block != nullptr;
        gHistory = block ? *bytesOf(block) : Bytes{};
        return KXH_OK;
    };
    t.docData.markChanged = [](int32_t, int32_t) { return KXH_OK; };
    t.memory.newBlock = [](uint32_t size) { return reinterpret_cast<KxhBlock>(new Bytes(size)); };
    t.memory.resizeBlock = [](KxhBlock block, uint32_t size) {
        return bytesOf(block)->resize(size), KXH_OK;
    };
    t.memory.blockSize = [](KxhBlock block) { return uint32_t(bytesOf(block)->size()); };
    t.memory.blockData = [](KxhBlock block) -> void* { return bytesOf(block)->data(); };
    t.memory.releaseBlock = [](KxhBlock block) { delete bytesOf(block); };
}

void checkRememberedStyle(const std::string& block) {
    FakeHost host;
    FakeLayout& layout = host.addLayout(1);
    layout.hasData = true;
    layout.data.assign(block.begin(), block.end());
    setPrefString(kGeneralSection, "OutputStyle", "");

    ExportRequest state{};
    readOutputStyle(state);
    // A name comes back whole, up to the block's first zero byte, or not at all.
    std::string name = state.styleName;
    REQUIRE(name.size() < kStyleNameSize);
    if (!name.empty())
        REQUIRE(block.compare(0, name.size(), name) == 0 &&
                (block.size() == name.size() || block[name.size()] == '\0'));

    // Whatever the block held, the name stored next is the one read back.
    std::string next = ("S" + block.substr(0, block.find('\0'))).substr(0, kStyleNameSize - 1);
    memcpy(state.styleName, next.c_str(), next.size() + 1);
    storeOutputStyle(state);
    setPrefString(kGeneralSection, "OutputStyle", "");
    state = ExportRequest{};
    readOutputStyle(state);
    REQUIRE(next == state.styleName);
}

void checkHistory(const std::string& history) {
    // The history reaches the host through the export's host layer, as in the plug-in.
    HostTables& t = hostTables();
    ExportHostTables tables = {};
    tables.docData = &t.docData;
    tables.memory = &t.memory;
    setExportHostTables(tables);
    gHasHistory = true;
    gHistory.assign(history.begin(), history.end());
    WideText text = trackingText(0);
    for (WideChar c : text)
        REQUIRE(c != 0);
    // Plain text shows exactly as stored; other bytes at worst as replacement characters.
    std::string back = wideToUtf8(text.c_str());
    bool plain = true;
    for (char c : history)
        plain = plain && c > 0;
    if (plain) REQUIRE(back == history);
    if (back != history) REQUIRE(back.find("\xEF\xBF\xBD") != std::string::npos);
    WideText shown = trackingDisplayText(text);
    size_t breaks = 0;
    for (size_t i = 0; i < shown.size(); i++) {
        if (shown[i] == WideChar('\r'))
            REQUIRE(i + 1 < shown.size() && shown[i + 1] == WideChar('\n'));
        if (shown[i] == WideChar('\n')) breaks++;
    }
    REQUIRE(shown.size() >= text.size() && shown.size() - text.size() <= breaks);

    // A new entry goes after what was there, which stays byte for byte.
    REQUIRE(addTrackingEntry(0, "Output"));
    REQUIRE(gHistory.size() > history.size());
    REQUIRE(memcmp(gHistory.data(), history.data(), history.size()) == 0);
    std::string added(gHistory.begin() + long(history.size()), gHistory.end());
    REQUIRE(added.size() > 8 && added.compare(added.size() - 8, 8, "\tOutput\r") == 0);
    removeTrackingHistory(0);
    REQUIRE(!gHasHistory && trackingText(0).empty());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const bool installed = [] {
        installDocumentTables();
        const char prefs[] = "[General]\rTracking=1\r";
        return settingsStore().loadBytes(prefs, sizeof prefs - 1) == StoreResult::Ok &&
               getTracking() == 1;
    }();
    REQUIRE(installed);
    std::string input(reinterpret_cast<const char*>(data), size);
    size_t newline = input.find('\n');
    checkRememberedStyle(input.substr(0, newline));
    checkHistory(newline == std::string::npos ? std::string() : input.substr(newline + 1));
    // The plug-in frees its temporary texts after every host message; so does each run here.
    releaseTemporaryStrings();
    return 0;
}
