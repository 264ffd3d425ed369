// The summaries the benchmark tables are made of.
#include <gtest/gtest.h>

#include "Stats.h"

TEST(Stats, MedianOfOddAndEvenCountsAndOfNothing) {
    EXPECT_EQ(Median({5, 1, 3}), 3);
    EXPECT_EQ(Median({4, 1, 3, 2}), 2.5);
    EXPECT_EQ(Median({7}), 7);
    EXPECT_EQ(Median({}), 0);
}

TEST(Stats, PercentileIsASampleByNearestRank) {
    std::vector<double> hundred;
    for (int i = 100; i >= 1; --i)
        hundred.push_back(i);
    EXPECT_EQ(Percentile(hundred, 99), 99);
    EXPECT_EQ(Percentile(hundred, 100), 100);
    EXPECT_EQ(Percentile(hundred, 50), 50);
    EXPECT_EQ(Percentile(hundred, 0), 1);
    // With few samples the 99th percentile is the worst one.
    EXPECT_EQ(Percentile({3, 9, 1}, 99), 9);
    EXPECT_EQ(Percentile({}, 99), 0);
}

TEST(Stats, SummaryOfASpike) {
    std::vector<double> samples(199, 1.0);
    samples.push_back(250.0);
    const Summary s = Summarise(samples);
    EXPECT_EQ(s.count, 200u);
    EXPECT_EQ(s.best, 1.0);
    EXPECT_EQ(s.median, 1.0);
    EXPECT_EQ(s.p99, 1.0);  // one sample in 200 stays above the 99th percentile
    EXPECT_EQ(s.worst, 250.0);
    EXPECT_EQ(Summarise({}).count, 0u);
}
