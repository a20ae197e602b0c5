#include "database/ListedRecords.h"

#include <gtest/gtest.h>
#include <random>
#include <set>

// Records listed in a scattered order, with stretches longer than a block left out, answer every
// question as a plain set of them does.
TEST(ListedRecordsTest, AnswersAsTheSetOfListedRecords)
{
    constexpr uint32_t kSize = 20000;
    std::mt19937 random(3);
    std::set<uint32_t> expected;
    ListedRecords listed;
    EXPECT_EQ(listed.NextFrom(0), ListedRecords::kNone);
    for (const uint32_t record : {9000u, 9001u, 8999u}) {  // one run first
        EXPECT_TRUE(listed.Add(record, kSize));
        expected.insert(record);
    }
    EXPECT_EQ(listed.MemoryBytes(), 0u);
    for (int i = 0; i < 3000; ++i) {
        const uint32_t record = random() % kSize;
        if (record % 10000 < 9000 && (record < 600 || record > 19000 || record % 7 == 0)) {
            EXPECT_EQ(listed.Add(record, kSize), expected.insert(record).second);
        }
    }
    EXPECT_FALSE(listed.Add(kSize, kSize));
    ASSERT_EQ(listed.Count(), expected.size());
    EXPECT_EQ(listed.Lowest(), *expected.begin());
    EXPECT_EQ(listed.Highest(), *expected.rbegin());
    for (uint32_t record = 0; record <= kSize; ++record) {
        const auto next = expected.lower_bound(record);
        ASSERT_EQ(listed.CountBelow(record), std::distance(expected.begin(), next)) << record;
        ASSERT_EQ(listed.NextFrom(record), next == expected.end() ? ListedRecords::kNone : *next);
        const auto after = expected.upper_bound(record);
        ASSERT_EQ(listed.PreviousFrom(record),
                  after == expected.begin() ? ListedRecords::kNone : *std::prev(after));
    }
    // The bits are kept for the next fill, which must not see the old ones.
    listed.Clear();
    EXPECT_EQ(listed.CountBelow(kSize), 0u);
    EXPECT_TRUE(listed.Add(5, kSize));
    EXPECT_TRUE(listed.Add(7, kSize));
    EXPECT_EQ(listed.CountBelow(kSize), 2u);
    EXPECT_EQ(listed.NextFrom(6), 7u);
    EXPECT_EQ(listed.PreviousFrom(kSize - 1), 7u);
}
