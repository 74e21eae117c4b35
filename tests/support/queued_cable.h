#pragma once

// A batched cable for the protocol's tests: it queues what the protocol asks
// and carries it out on an immediate cable (the parallel cable with the
// emulated chip behind it) only when flushed, so a sample's level is unknown
// until then, as on a USB adapter. It counts the flushes and can stop working
// after so many of them, as a pulled adapter does.

#include <cstdint>
#include <string>
#include <vector>

#include "prog/cable.h"

namespace qvt::testing {

class QueuedCable : public Cable {
  public:
    explicit QueuedCable(Cable& lines) : lines_(lines) {}

    CableTiming timing() const override { return CableTiming::kBatched; }
    void SetLines(std::uint8_t state) override { Queue({Op::kSet, state, 0}); }
    void BeginByteRead() override {}
    MisoSample SampleMiso() override {
        Queue({Op::kSample, 0, 0});
        levels_.push_back(true);
        return levels_.size() - 1;
    }
    void Wait(int units) override { Queue({Op::kWait, 0, units}); }
    bool Flush() override {
        if (!fault_.empty())
            return false;
        if (flushes_ == failAfterFlushes) {
            fault_ = "USB-Adapter getrennt";
            queue_.clear();
            return false;
        }
        ++flushes_;
        for (const Step& step : queue_) {
            switch (step.op) {
                case Op::kSet:
                    lines_.SetLines(step.state);
                    break;
                case Op::kWait:
                    lines_.Wait(step.units);
                    break;
                case Op::kSample:
                    levels_[nextLevel_++] = lines_.MisoLevel(lines_.SampleMiso());
                    break;
            }
        }
        lines_.ForgetSamples();
        queue_.clear();
        return true;
    }
    bool MisoLevel(MisoSample sample) const override {
        return sample < levels_.size() ? levels_[sample] : true;
    }
    void ForgetSamples() override {
        levels_.erase(levels_.begin(), levels_.begin() + static_cast<long>(nextLevel_));
        nextLevel_ = 0;
    }
    const std::string& fault() const override { return fault_; }

    int flushes() const { return flushes_; }
    int failAfterFlushes = -1;  // -1: never

  private:
    enum class Op { kSet, kSample, kWait };
    struct Step {
        Op op;
        std::uint8_t state;
        int units;
    };
    void Queue(Step step) {
        if (fault_.empty())
            queue_.push_back(step);
    }

    Cable& lines_;
    std::vector<Step> queue_;
    std::vector<bool> levels_;
    std::size_t nextLevel_ = 0;
    int flushes_ = 0;
    std::string fault_;
};

}  // namespace qvt::testing
