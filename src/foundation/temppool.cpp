#include "foundation/temppool.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "foundation/platform/os.h"

namespace {

struct Pool {
    void** items = nullptr;
    size_t count = 0;
    size_t capacity = 0;
};

Pool gPool;

bool remember(void* block) {
    if (gPool.count == gPool.capacity) {
        size_t grown = gPool.capacity + gPool.capacity / 2;
        if (grown < gPool.count + 1) grown = gPool.count + 1;
        void** items = static_cast<void**>(realloc(gPool.items, grown * sizeof(void*)));
        if (!items) return false;
        gPool.items = items;
        gPool.capacity = grown;
    }
    gPool.items[gPool.count++] = block;
    return true;
}

WideChar* tempWide(const WideChar* text, size_t units) {
    WideChar* out = static_cast<WideChar*>(tempAlloc((units + 1) * sizeof(WideChar)));
    if (out && units) memcpy(out, text, units * sizeof(WideChar));
    return out;
}

} // namespace

void* tempAlloc(size_t bytes) {
    void* block = calloc(1, bytes ? bytes : 1);
    if (!block) return nullptr;
    if (!remember(block)) {
        free(block);
        return nullptr;
    }
    return block;
}

void releaseTemporaryStrings() {
    for (size_t i = 0; i < gPool.count; i++)
        free(gPool.items[i]);
    free(gPool.items);
    gPool = Pool();
}

size_t temporaryStringCount() {
    return gPool.count;
}

char* tempWideToUtf8(const WideChar* text) {
    std::string utf8 = wideToUtf8(text);
    char* out = static_cast<char*>(tempAlloc(utf8.size() + 1));
    if (out) memcpy(out, utf8.data(), utf8.size());
    return out;
}

WideChar* tempUtf8ToWide(const char* text, int32_t byteLength) {
    WideText wide = utf8ToWide(text, byteLength);
    return tempWide(wide.data(), wide.size());
}

WideChar* tempCopyWide(const WideChar* text, int32_t length) {
    size_t units = 0;
    if (text) {
        size_t limit = length < 0 ? SIZE_MAX : static_cast<size_t>(length);
        while (units < limit && text[units])
            units++;
    }
    return tempWide(text, units);
}

WideChar* tempConcatWide(const WideChar* first, const WideChar* second) {
    size_t a = static_cast<size_t>(wideLength(first));
    size_t b = static_cast<size_t>(wideLength(second));
    WideChar* out = static_cast<WideChar*>(tempAlloc((a + b + 1) * sizeof(WideChar)));
    if (!out) return nullptr;
    if (a) memcpy(out, first, a * sizeof(WideChar));
    if (b) memcpy(out + a, second, b * sizeof(WideChar));
    return out;
}

WideChar* tempAppendWideChar(const WideChar* text, WideChar c) {
    size_t a = static_cast<size_t>(wideLength(text));
    WideChar* out = static_cast<WideChar*>(tempAlloc((a + 2) * sizeof(WideChar)));
    if (!out) return nullptr;
    if (a) memcpy(out, text, a * sizeof(WideChar));
    out[a] = c;
    return out;
}

WideChar* dateTimeStamp(const char* suffix) {
    WideText date = osLocalShortDate();
    WideText time = osLocalTime();
    if (date.size() > 255) date.resize(255);
    if (time.size() > 255) time.resize(255);
    WideText tail;
    if (suffix && *suffix) narrowToWide(suffix, -1, kCodePageAnsi, tail);
    WideText stamp = date + KX_WIDE(", ") + time + tail;
    return tempWide(stamp.data(), stamp.size());
}
