#include "foundation/array.h"

#include <climits>
#include <cstdlib>
#include <cstring>

namespace {

// The block size for `capacity` elements, or 0 when it does not fit in memory arithmetic.
size_t blockBytes(int32_t capacity, int32_t elementSize) {
    if (capacity <= 0 || elementSize <= 0) return 0;
    if (static_cast<size_t>(capacity) > SIZE_MAX / static_cast<size_t>(elementSize)) return 0;
    return static_cast<size_t>(capacity) * static_cast<size_t>(elementSize);
}

} // namespace

StoreResult create(CMyArray* array, int32_t capacity, int32_t elementSize) {
    array->count = 0;
    array->capacity = 0;
    array->elementSize = elementSize > 0 ? elementSize : 0;
    array->duplicatesAllowed = 0;
    array->data = nullptr;
    size_t bytes = blockBytes(capacity, elementSize);
    if (bytes == 0)
        return capacity == 0 && elementSize > 0 ? StoreResult::Ok : StoreResult::NoMemory;
    array->data = calloc(1, bytes);
    if (!array->data) return StoreResult::NoMemory;
    array->capacity = capacity;
    return StoreResult::Ok;
}

void append(CMyArray* array, const void* element) {
    if (array->elementSize <= 0 || !element) return;
    if (!array->duplicatesAllowed && indexOf(array, element) >= 0) return;
    if (array->count >= array->capacity || !array->data) {
        if (array->capacity > INT32_MAX - kArrayGrowth) return;
        int32_t grown = array->capacity + kArrayGrowth;
        size_t bytes = blockBytes(grown, array->elementSize);
        void* block = bytes ? realloc(array->data, bytes) : nullptr;
        // A failed resize keeps the old block and its elements; only this append is lost.
        if (!block) return;
        array->data = block;
        array->capacity = grown;
    }
    size_t size = static_cast<size_t>(array->elementSize);
    memcpy(static_cast<char*>(array->data) + static_cast<size_t>(array->count) * size, element,
           size);
    array->count++;
}

void* at(const CMyArray* array, int32_t i) {
    if (!array->data || i < 0 || i >= array->count) return nullptr;
    return static_cast<char*>(array->data) +
           static_cast<size_t>(i) * static_cast<size_t>(array->elementSize);
}

int32_t indexOf(const CMyArray* array, const void* element) {
    if (!array->data || !element) return -1;
    size_t size = static_cast<size_t>(array->elementSize);
    const char* p = static_cast<const char*>(array->data);
    for (int32_t i = 0; i < array->count; i++, p += size)
        if (memcmp(p, element, size) == 0) return i;
    return -1;
}

void release(CMyArray* array) {
    free(array->data);
    array->data = nullptr;
    array->count = 0;
    array->capacity = 0;
}
