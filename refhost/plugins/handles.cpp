#include "plugins/handles.h"

#include <cstring>
#include <new>
#include <set>
#include <unordered_map>

namespace refhost {

namespace {

bool containsItem(const std::vector<std::unique_ptr<Item>>& items, const Item* wanted) {
    for (const auto& item : items)
        if (item.get() == wanted || containsItem(item->members, wanted)) return true;
    return false;
}

std::set<KxhBlock>& liveBlocks() {
    static std::set<KxhBlock> blocks;
    return blocks;
}

} // namespace

ItemPlace findItemHandle(KxhItem handle) {
    const Item* wanted = reinterpret_cast<const Item*>(handle);
    if (!wanted) return {};
    // Where a handle was last found, by ids that are never reused: items live as long as
    // their document is open, so a hit whose document and layout are still open is the item,
    // and a page's queries need not walk every item of a long layout.
    struct Place {
        int32_t document, layout;
    };
    static std::unordered_map<const Item*, Place> known;
    auto hit = known.find(wanted);
    if (hit != known.end()) {
        Document* doc = findOpenDocument(hit->second.document);
        Layout* layout = doc ? findLayout(*doc, hit->second.layout) : nullptr;
        if (layout) return {doc, layout, const_cast<Item*>(wanted)};
        known.erase(hit);
    }
    for (auto& doc : workspace().documents)
        for (auto& layout : doc->layouts)
            if (containsItem(layout->items, wanted)) {
                known[wanted] = {doc->id, layout->id};
                return {doc.get(), layout.get(), const_cast<Item*>(wanted)};
            }
    return {};
}

OutputStyle* findStyleHandle(KxhStyle handle) {
    for (auto& style : hostSettings().styles)
        if (reinterpret_cast<KxhStyle>(style.get()) == handle) return style.get();
    return nullptr;
}

KxhBlock newBlockFrom(const void* bytes, size_t size) {
    KxhBlock block = new (std::nothrow) KxhBlockRec;
    if (!block) return nullptr;
    try {
        block->bytes.resize(size);
        liveBlocks().insert(block);
    } catch (...) {
        delete block;
        return nullptr;
    }
    if (size && bytes) std::memcpy(block->bytes.data(), bytes, size);
    return block;
}

bool isLiveBlock(KxhBlock block) {
    return block && liveBlocks().count(block) != 0;
}

void forgetBlock(KxhBlock block) {
    liveBlocks().erase(block);
}

KxhRect toFixedRect(const Rect& r) {
    return {toFixed(r.top), toFixed(r.left), toFixed(r.bottom), toFixed(r.right)};
}

Rect fromFixedRect(const KxhRect& r) {
    return {fromFixed(r.top), fromFixed(r.left), fromFixed(r.bottom), fromFixed(r.right)};
}

int32_t copyOut(const std::string& text, char* buf, uint32_t bufSize) {
    if (!buf || bufSize == 0) return KXH_ERR_PARAM;
    size_t n = text.size();
    if (n < bufSize) {
        std::memcpy(buf, text.data(), n + 1);
        return KXH_OK;
    }
    n = bufSize - 1;
    // Never end inside a UTF-8 sequence.
    while (n > 0 && (static_cast<unsigned char>(text[n]) & 0xC0) == 0x80)
        --n;
    std::memcpy(buf, text.data(), n);
    buf[n] = '\0';
    return KXH_TRUNCATED;
}

} // namespace refhost
