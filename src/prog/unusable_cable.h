#pragma once

#include <cstdint>
#include <string>
#include <utility>

#include "prog/cable.h"

namespace qvt {

// A cable that could not be opened (no adapter, access refused, a line held by
// another program): it carries the reason as its fault from the start, so the
// programming sequences end at once with that one message and never touch or
// report a chip.
class UnusableCable : public Cable {
  public:
    explicit UnusableCable(std::string reason) : reason_(std::move(reason)) {}

    CableTiming timing() const override { return CableTiming::kImmediate; }
    void SetLines(std::uint8_t) override {}
    MisoSample SampleMiso() override { return 0; }
    void Wait(int) override {}
    bool Flush() override { return false; }
    bool MisoLevel(MisoSample) const override { return true; }
    void ForgetSamples() override {}
    const std::string& fault() const override { return reason_; }

  private:
    std::string reason_;
};

}  // namespace qvt
