// The history block itself: appending entries, reading it back as text, removing it.
#include "host/tracking.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "foundation/settings.h"
#include "foundation/temppool.h"
#include "host/host_tables.h"

namespace {

constexpr WideChar kReplacement = 0xFFFD;

} // namespace

int32_t frontDocument() {
    const KxhAppTable& app = hostTables().app;
    if (!app.currentLayout || !app.documentOfLayout) return -1;
    int32_t layout = app.currentLayout();
    return layout == KXH_NO_LAYOUT ? -1 : app.documentOfLayout(layout);
}

bool addTrackingEntry(int32_t document, const char* word) {
    if (getTracking() == 0 || document < 0) return false;
    const KxhDocDataTable& data = hostTables().docData;
    const KxhMemoryTable& memory = hostTables().memory;
    if (!data.getDocumentData || !data.setDocumentData || !memory.newBlock || !memory.resizeBlock ||
        !memory.blockData || !memory.blockSize || !memory.releaseBlock)
        return false;

    char tail[256];
    snprintf(tail, sizeof tail, "\t%s\r", word);
    std::string entry = wideToUtf8(dateTimeStamp(tail));
    if (entry.empty()) return false;

    KxhBlock block = nullptr;
    int32_t found = data.getDocumentData(document, kPluginId, &block);
    if (found == KXH_ERR_MEMORY) return false;
    if (!block) block = memory.newBlock(0);
    if (!block) return false;
    uint32_t old = memory.blockSize(block);
    bool recorded = false;
    // The block has no size limit of its own, but its size must still be counted in 32 bits.
    if (entry.size() <= UINT32_MAX - old &&
        memory.resizeBlock(block, old + uint32_t(entry.size())) == KXH_OK) {
        memcpy(static_cast<char*>(memory.blockData(block)) + old, entry.data(), entry.size());
        recorded = data.setDocumentData(document, kPluginId, block) == KXH_OK;
        if (recorded && data.markChanged) data.markChanged(document, KXH_CHANGE_CONTENT);
    }
    memory.releaseBlock(block);
    return recorded;
}

WideText trackingText(int32_t document) {
    const KxhDocDataTable& data = hostTables().docData;
    const KxhMemoryTable& memory = hostTables().memory;
    if (document < 0 || !data.getDocumentData || !memory.blockData || !memory.blockSize ||
        !memory.releaseBlock)
        return WideText();
    KxhBlock block = nullptr;
    if (data.getDocumentData(document, kPluginId, &block) != KXH_OK || !block) return WideText();
    uint32_t size = memory.blockSize(block);
    WideText text;
    if (size > 0 && size <= INT32_MAX)
        text = utf8ToWide(static_cast<const char*>(memory.blockData(block)), int32_t(size));
    memory.releaseBlock(block);
    // A zero byte written by another tool would end the text for every Windows call.
    for (WideChar& c : text)
        if (c == 0) c = kReplacement;
    return text;
}

WideText trackingDisplayText(const WideText& text) {
    WideText shown;
    shown.reserve(text.size() + text.size() / 16);
    for (size_t i = 0; i < text.size(); ++i) {
        shown += text[i];
        if (text[i] == WideChar('\r') && (i + 1 == text.size() || text[i + 1] != WideChar('\n')))
            shown += WideChar('\n');
    }
    return shown;
}

void removeTrackingHistory(int32_t document) {
    const KxhDocDataTable& data = hostTables().docData;
    if (document < 0 || !data.setDocumentData) return;
    if (data.setDocumentData(document, kPluginId, nullptr) == KXH_OK && data.markChanged)
        data.markChanged(document, KXH_CHANGE_CONTENT);
}
