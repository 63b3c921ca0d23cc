#pragma once

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

// One row of the benchmark table: a measured figure beside its baseline,
// measured in the same run, and the target it is held to.
struct BenchRow {
    std::string what;
    double value;
    double baseline;
    std::string unit;
    std::string target;
    bool met;
    // The ratio shown, where it is not value / baseline (the median of
    // per-run ratios, say).
    double ratio = 0;
};

inline double median(std::vector<double> samples)
{
    std::sort(samples.begin(), samples.end());
    const std::size_t n = samples.size();
    return n % 2 ? samples[n / 2] : (samples[n / 2 - 1] + samples[n / 2]) / 2;
}

// A figure beside its floor measured in pairs taken in turns: the medians,
// and the median of the pairs' ratios, with the lowest and highest of them.
inline BenchRow pairedRow(const std::string& what, const std::vector<double>& ours, const std::vector<double>& floor,
                          const std::string& unit, const std::string& target, double goal)
{
    std::vector<double> ratios;
    for (std::size_t i = 0; i < ours.size() && i < floor.size(); ++i)
        ratios.push_back(ours[i] / floor[i]);
    const auto [low, high] = std::minmax_element(ratios.begin(), ratios.end());
    char spread[64];
    std::snprintf(spread, sizeof spread, " (%.2f-%.2f, %zu pairs)", *low, *high, ratios.size());
    const double ratio = median(ratios);
    return {what + spread, median(ours), median(floor), unit, target, ratio <= goal, ratio};
}

inline void printRows(const std::vector<BenchRow>& rows)
{
    for (const BenchRow& row : rows) {
        const double ratio = row.ratio > 0 ? row.ratio : row.baseline > 0 ? row.value / row.baseline : 0;
        std::printf("| %-56s | %12.3f %-3s | %12.3f %-3s | %7.2f | %-26s | %-3s |\n", row.what.c_str(), row.value,
                    row.unit.c_str(), row.baseline, row.unit.c_str(), ratio, row.target.c_str(),
                    row.met ? "yes" : "NO");
    }
    std::fflush(stdout);
}
