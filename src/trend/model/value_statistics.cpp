#include "trend/model/value_statistics.h"

#include <algorithm>
#include <cmath>

namespace qvt {

void ValueStatistics::Add(double value) {
    ++count_;
    if (count_ == 1) {
        minimum_ = maximum_ = mean_ = value;
        return;
    }
    minimum_ = std::min(minimum_, value);
    maximum_ = std::max(maximum_, value);
    const double before = value - mean_;
    mean_ += before / static_cast<double>(count_);
    squaredDistances_ += before * (value - mean_);
}

double ValueStatistics::standardDeviation() const {
    if (count_ < 2)
        return 0;
    return std::sqrt(squaredDistances_ / static_cast<double>(count_ - 1));
}

}  // namespace qvt
