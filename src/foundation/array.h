#pragma once
#include <cstdint>

#include "foundation/store_result.h"

// A growable array of fixed-size records (page numbers, item handles, progress items).
// Elements are compared byte for byte; equal ones are dropped unless duplicatesAllowed is set.
struct CMyArray {
    int32_t count;
    int32_t capacity;
    int32_t elementSize;
    void* data;
    int32_t duplicatesAllowed;
};

constexpr int32_t kArrayGrowth = 100;

// Zero-filled room for `capacity` elements. Ok, or NoMemory (the array is then empty with no
// data block; appends will try to grow it).
StoreResult create(CMyArray* array, int32_t capacity, int32_t elementSize);

// Appends a byte copy of `element`; silently does nothing when memory is exhausted.
void append(CMyArray* array, const void* element);

// The address of element i, or null outside 0..count-1. Valid until an append grows the block.
void* at(const CMyArray* array, int32_t i);

// The index of the first element equal to `element`, or -1.
int32_t indexOf(const CMyArray* array, const void* element);

// Frees the data block and leaves the array empty.
void release(CMyArray* array);
