// Byte blocks and host texts.
#include "plugins/handles.h"
#include "plugins/plugin_host.h"

#include <cstring>
#include <new>
#include <set>

namespace refhost {

namespace {

KxhBlock KXH_CALL newBlock(uint32_t size) {
    return newBlockFrom(nullptr, size);
}

uint32_t KXH_CALL blockSize(KxhBlock block) {
    return isLiveBlock(block) ? static_cast<uint32_t>(block->bytes.size()) : 0;
}

int32_t KXH_CALL resizeBlock(KxhBlock block, uint32_t size) {
    if (!isLiveBlock(block)) return KXH_ERR_PARAM;
    try {
        block->bytes.resize(size);
    } catch (...) {
        return KXH_ERR_MEMORY;
    }
    return KXH_OK;
}

void KXH_CALL releaseBlock(KxhBlock block) {
    if (!isLiveBlock(block)) return;
    forgetBlock(block);
    delete block;
}

void* KXH_CALL blockData(KxhBlock block) {
    return isLiveBlock(block) ? block->bytes.data() : nullptr;
}

std::set<KxhText>& liveTexts() {
    static std::set<KxhText> texts;
    return texts;
}

KxhText adopt(std::u16string units) {
    KxhText text = new (std::nothrow) KxhTextRec;
    if (!text) return nullptr;
    text->units = std::move(units);
    liveTexts().insert(text);
    return text;
}

bool isLiveText(KxhText text) {
    return text && liveTexts().count(text) != 0;
}

KxhText KXH_CALL newText(const KxhUnit* units, int32_t count) {
    if (!units && count != 0) return nullptr;
    size_t n = 0;
    if (count < 0)
        while (units[n])
            ++n;
    else
        n = static_cast<size_t>(count);
    return adopt(std::u16string(reinterpret_cast<const char16_t*>(units), n));
}

KxhText KXH_CALL newTextUtf8(const char* text) {
    return text ? adopt(utf8ToUtf16(text)) : nullptr;
}

int32_t KXH_CALL textLength(KxhText text) {
    return isLiveText(text) ? static_cast<int32_t>(text->units.size()) : 0;
}

void KXH_CALL copyUnits(KxhText text, KxhUnit* dest, int32_t count) {
    if (!isLiveText(text) || !dest || count <= 0) return;
    const size_t n = std::min(text->units.size(), static_cast<size_t>(count));
    std::memcpy(dest, text->units.data(), n * sizeof(KxhUnit));
}

int32_t KXH_CALL toUtf8(KxhText text, char* buf, uint32_t bufSize) {
    if (!isLiveText(text)) {
        copyOut("", buf, bufSize);
        return KXH_ERR_PARAM;
    }
    return copyOut(utf16ToUtf8(text->units), buf, bufSize);
}

void KXH_CALL releaseText(KxhText text) {
    if (!isLiveText(text)) return;
    liveTexts().erase(text);
    delete text;
}

} // namespace

void fillMemoryTable(KxhMemoryTable& table) {
    table.newBlock = newBlock;
    table.blockSize = blockSize;
    table.resizeBlock = resizeBlock;
    table.releaseBlock = releaseBlock;
    table.blockData = blockData;
}

void fillStringTable(KxhStringTable& table) {
    table.newText = newText;
    table.newTextUtf8 = newTextUtf8;
    table.textLength = textLength;
    table.copyUnits = copyUnits;
    table.toUtf8 = toUtf8;
    table.releaseText = releaseText;
}

} // namespace refhost
