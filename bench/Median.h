#pragma once
#include <algorithm>
#include <vector>

namespace bench {

// The middle value (the mean of the two middle ones for an even count); 0
// for no values.
inline double Median(std::vector<double> values) {
    if (values.empty()) return 0;
    std::sort(values.begin(), values.end());
    const std::size_t mid = values.size() / 2;
    return values.size() % 2 != 0 ? values[mid] : (values[mid - 1] + values[mid]) / 2;
}

// The smallest value; 0 for no values.
inline double Fastest(const std::vector<double>& values) {
    return values.empty() ? 0 : *std::min_element(values.begin(), values.end());
}

}  // namespace bench
