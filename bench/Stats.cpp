#include "Stats.h"

#include <algorithm>
#include <cmath>

double Median(std::vector<double> samples) {
    if (samples.empty())
        return 0;
    std::sort(samples.begin(), samples.end());
    const std::size_t n = samples.size();
    return n % 2 ? samples[n / 2] : (samples[n / 2 - 1] + samples[n / 2]) / 2;
}

double Percentile(std::vector<double> samples, double percent) {
    if (samples.empty())
        return 0;
    std::sort(samples.begin(), samples.end());
    const double rank = std::ceil(percent / 100.0 * static_cast<double>(samples.size()));
    const std::size_t index = rank < 1 ? 0 : static_cast<std::size_t>(rank) - 1;
    return samples[std::min(index, samples.size() - 1)];
}

Summary Summarise(const std::vector<double>& samples) {
    Summary s;
    s.count = samples.size();
    if (samples.empty())
        return s;
    s.best = *std::min_element(samples.begin(), samples.end());
    s.median = Median(samples);
    s.p99 = Percentile(samples, 99);
    s.worst = *std::max_element(samples.begin(), samples.end());
    return s;
}
