#include "exam/random_order.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <vector>

#include "support/fake_random.h"
#include "platform/system_random.h"

namespace lexo {
namespace {

std::vector<std::size_t> runOrder(RandomOrder& order, Random& random, std::size_t count) {
    order.reset(count, random);
    std::vector<std::size_t> asked;
    while (const auto row = order.next()) asked.push_back(*row);
    return asked;
}

TEST(RandomOrder, AsksEveryRecordOnceAndPicksAmongTheRemainingOnes) {
    ScriptedRandom random;
    random.picks = {2, 0, 0};
    RandomOrder order;
    order.reset(3, random);
    EXPECT_FALSE(order.current());
    EXPECT_EQ(order.upcoming(1), 2u);
    std::vector<std::size_t> asked;
    std::vector<std::size_t> remaining;
    while (const auto row = order.next()) {
        asked.push_back(*row);
        remaining.push_back(order.remaining());
        EXPECT_EQ(order.current(), row);
        if (remaining.back() > 1) {
            EXPECT_TRUE(order.upcoming(1));
        } else {
            EXPECT_FALSE(order.upcoming(1));
        }
    }
    EXPECT_EQ(random.bounds, (std::vector<std::uint64_t>{3, 2})) << "a pick among those still waiting";
    EXPECT_EQ(remaining, (std::vector<std::size_t>{3, 2, 1}));
    std::vector<std::size_t> sorted = asked;
    std::sort(sorted.begin(), sorted.end());
    EXPECT_EQ(sorted, (std::vector<std::size_t>{0, 1, 2}));
    EXPECT_EQ(asked.front(), 2u);
    EXPECT_FALSE(order.next()) << "stays finished";
    EXPECT_EQ(order.remaining(), 0u);
}

TEST(RandomOrder, LargeTestsAskEachRecordExactlyOnce) {
    SeededRandom random;
    RandomOrder order;
    const std::vector<std::size_t> asked = runOrder(order, random, 100000);
    ASSERT_EQ(asked.size(), 100000u);
    std::vector<bool> seen(asked.size());
    for (const std::size_t row : asked) {
        ASSERT_LT(row, seen.size());
        ASSERT_FALSE(seen[row]) << row << " asked twice";
        seen[row] = true;
    }
}

TEST(RandomOrder, AnOutOfRangeSourceCannotLeaveTheTable) {
    ScriptedRandom random;
    random.fallback = 1000;
    RandomOrder order;
    const std::vector<std::size_t> asked = runOrder(order, random, 5);
    EXPECT_EQ(std::set<std::size_t>(asked.begin(), asked.end()).size(), 5u);
}

TEST(RandomOrder, EveryRecordIsAboutEquallyLikelyAtEveryStep) {
    SeededRandom random(11);
    RandomOrder order;
    const std::size_t count = 8;
    const int runs = 40000;
    std::vector<std::vector<int>> atStep(count, std::vector<int>(count));
    for (int i = 0; i < runs; ++i) {
        const std::vector<std::size_t> asked = runOrder(order, random, count);
        for (std::size_t step = 0; step < count; ++step) ++atStep[step][asked[step]];
    }
    const double expected = static_cast<double>(runs) / count;
    for (std::size_t step = 0; step < count; ++step) {
        for (std::size_t row = 0; row < count; ++row)
            EXPECT_NEAR(atStep[step][row], expected, expected * 0.06) << "step " << step << " row " << row;
    }
}

TEST(SystemRandom, StaysBelowTheBoundAndReachesEveryValue) {
    SystemRandom random;
    EXPECT_EQ(random.below(1), 0u);
    std::vector<int> seen(5);
    for (int i = 0; i < 1000; ++i) {
        const std::uint64_t value = random.below(5);
        ASSERT_LT(value, 5u);
        ++seen[value];
    }
    for (const int count : seen) EXPECT_GT(count, 100);
    // Two generators do not repeat each other's order.
    SystemRandom other;
    std::vector<std::uint64_t> a, b;
    for (int i = 0; i < 20; ++i) {
        a.push_back(random.below(1u << 30));
        b.push_back(other.below(1u << 30));
    }
    EXPECT_NE(a, b);
}

}  // namespace
}  // namespace lexo
