#pragma once

#include <QTimer>
#include <functional>

#include "link/monitor_view.h"

namespace qvt {

// The monitor's timer on the window's event loop.
class QtWakeUpTimer : public WakeUpTimer {
  public:
    explicit QtWakeUpTimer(std::function<void()> fired) {
        timer_.setSingleShot(true);
        QObject::connect(&timer_, &QTimer::timeout, std::move(fired));
    }
    void Start(std::chrono::milliseconds after) override { timer_.start(after); }
    void Stop() override { timer_.stop(); }
    bool IsActive() const override { return timer_.isActive(); }

  private:
    QTimer timer_;
};

}  // namespace qvt
