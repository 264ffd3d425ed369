#pragma once
// Summaries of timing samples.
#include <cstddef>
#include <vector>

// The middle sample, or the mean of the two middle ones; 0 without samples.
double Median(std::vector<double> samples);

// The nearest-rank percentile: the smallest sample that at least `percent`
// per cent of the samples do not exceed; 0 without samples.
double Percentile(std::vector<double> samples, double percent);

struct Summary {
    std::size_t count = 0;
    double best = 0, median = 0, p99 = 0, worst = 0;
};

Summary Summarise(const std::vector<double>& samples);
