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

TEST(RecordArray, AppendsDropDuplicatesUnlessAllowed) {
    struct Case {
        int32_t duplicatesAllowed;
        std::vector<int32_t> appended;
        std::vector<int32_t> expected;
    } cases[] = {
        {0, {3, 5, 3}, {3, 5}},
        {0, {7, 7, 7}, {7}},
        {1, {3, 5, 3}, {3, 5, 3}},
        {0, {}, {}},
    };
    for (const Case& c : cases) {
        CMyArray a;
        ASSERT_EQ(create(&a, 2000, sizeof(int32_t)), 0);
        a.duplicatesAllowed = c.duplicatesAllowed;
        for (int32_t v : c.appended)
            append(&a, &v);
        EXPECT_EQ(contents(a), c.expected) << "duplicatesAllowed=" << c.duplicatesAllowed;
        EXPECT_EQ(a.count, static_cast<int32_t>(c.expected.size()));
        release(&a);
    }
}

TEST(RecordArray, GrowsByOneHundredKeepingElements) {
    CMyArray a;
    ASSERT_EQ(create(&a, 2, sizeof(int32_t)), 0);
    for (int32_t v : {11, 22, 33})
        append(&a, &v);
    EXPECT_EQ(a.capacity, 102);
    EXPECT_EQ(contents(a), (std::vector<int32_t>{11, 22, 33}));
    // Fill past the second growth to make the sanitizer see every write.
    for (int32_t v = 100; v < 300; v++)
        append(&a, &v);
    EXPECT_EQ(a.count, 203);
    EXPECT_EQ(a.capacity, 302);
    EXPECT_EQ(*static_cast<int32_t*>(at(&a, 202)), 299);
    release(&a);
    EXPECT_EQ(a.data, nullptr);
    EXPECT_EQ(a.count, 0);
}

TEST(RecordArray, LookupsOutsideTheElements) {
    CMyArray a;
    ASSERT_EQ(create(&a, 4, sizeof(int32_t)), 0);
    int32_t v = 9;
    EXPECT_EQ(indexOf(&a, &v), -1) << "empty array";
    append(&a, &v);
    EXPECT_EQ(at(&a, a.count), nullptr);
    EXPECT_EQ(at(&a, -1), nullptr);
    EXPECT_EQ(indexOf(&a, &v), 0);
    int32_t other = 10;
    EXPECT_EQ(indexOf(&a, &other), -1);
    release(&a);
}

TEST(RecordArray, WideRecordsCompareEveryByte) {
    struct Item {
        void* handle;
        int32_t page;
        int32_t pad;
    };
    CMyArray a;
    ASSERT_EQ(create(&a, 1, sizeof(Item)), 0);
    Item first{&a, 1, 0}, samePointerOtherPage{&a, 2, 0};
    append(&a, &first);
    append(&a, &samePointerOtherPage);
    append(&a, &first);
    EXPECT_EQ(a.count, 2);
    EXPECT_EQ(indexOf(&a, &samePointerOtherPage), 1);
    release(&a);
}

TEST(RecordArray, EmptyCreationGrowsOnFirstAppend) {
    CMyArray a;
    ASSERT_EQ(create(&a, 0, sizeof(int32_t)), 0);
    EXPECT_EQ(at(&a, 0), nullptr);
    int32_t v = 42;
    append(&a, &v);
    EXPECT_EQ(a.capacity, 100);
    EXPECT_EQ(contents(a), std::vector<int32_t>{42});
    release(&a);
}

} // namespace
