// The record array with real allocations, under the sanitizers in the native build.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "foundation/array.h"

namespace {

std::vector<int32_t> contents(const CMyArray& a) {
    std::vector<int32_t> out;
    for (int32_t i = 0; at(&a, i); i++)
        out.push_back(*static_cast<int32_t*>(at(&a, i)));
    return out;
}

TEST(RecordArray, AppendsGrowAndDropDuplicates) {
    struct Case {
        int32_t capacity, duplicatesAllowed;
        std::vector<int32_t> appended, expected;
        int32_t finalCapacity;
    } cases[] = {
        {2000, 0, {3, 5, 3}, {3, 5}, 2000},
        {2000, 1, {3, 5, 3}, {3, 5, 3}, 2000},
        {2, 0, {11, 22, 33}, {11, 22, 33}, 102}, // grows by 100, keeping the first two
        {0, 0, {42}, {42}, 100},
    };
    for (const Case& c : cases) {
        CMyArray a;
        ASSERT_EQ(create(&a, c.capacity, sizeof(int32_t)), StoreResult::Ok);
        a.duplicatesAllowed = c.duplicatesAllowed;
        for (int32_t v : c.appended)
            append(&a, &v);
        EXPECT_EQ(contents(a), c.expected) << "capacity " << c.capacity;
        EXPECT_EQ(a.capacity, c.finalCapacity) << "capacity " << c.capacity;
        release(&a);
        EXPECT_EQ(a.data, nullptr);
    }
}

TEST(RecordArray, LookupsOutsideTheElements) {
    CMyArray a;
    ASSERT_EQ(create(&a, 4, sizeof(int32_t)), StoreResult::Ok);
    int32_t v = 9, other = 10;
    EXPECT_EQ(indexOf(&a, &v), -1) << "empty array";
    append(&a, &v);
    EXPECT_EQ(at(&a, a.count), nullptr);
    EXPECT_EQ(at(&a, -1), nullptr);
    EXPECT_EQ(indexOf(&a, &v), 0);
    EXPECT_EQ(indexOf(&a, &other), -1);
    // Past the second growth, so that the sanitizer sees every write into the moved block.
    for (int32_t k = 100; k < 300; k++)
        append(&a, &k);
    EXPECT_EQ(a.count, 201);
    EXPECT_EQ(*static_cast<int32_t*>(at(&a, 200)), 299);
    release(&a);
}

} // namespace
