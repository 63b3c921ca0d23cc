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
