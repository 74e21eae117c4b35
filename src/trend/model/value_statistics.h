#pragma once

#include <cstddef>

namespace qvt {

// Count, extremes, mean and standard deviation of a run of measured values,
// gathered one value at a time (Welford's method: a running mean and the sum
// of squared distances from it). Unlike a sum of squares it keeps its digits
// when the values lie close together far from zero, as a reading of
// 1000.01 to 1000.03 does.
class ValueStatistics {
  public:
    void Add(double value);

    std::size_t count() const { return count_; }
    // 0 while no value was added.
    double minimum() const { return minimum_; }
    double maximum() const { return maximum_; }
    double mean() const { return mean_; }
    // The sample standard deviation (divided by count - 1); 0 for fewer
    // than two values.
    double standardDeviation() const;

  private:
    std::size_t count_ = 0;
    double minimum_ = 0;
    double maximum_ = 0;
    double mean_ = 0;
    double squaredDistances_ = 0;
};

}  // namespace qvt
