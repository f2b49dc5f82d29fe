#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "platform/ports.h"

namespace lexo {

// Timers on a pretend clock that only moves when the test calls advance(): every timer
// due by then fires, in the order of its due time, repeating ones as often as they fall due.
class FakeTimers final : public Timers {
public:
    class FakeTimer;

    struct Clock {
        std::int64_t now = 0;
        std::uint64_t nextSerial = 0;
        std::vector<FakeTimer*> timers;  // alive, in the order they were made
    };

    class FakeTimer final : public Timer {
    public:
        explicit FakeTimer(std::shared_ptr<Clock> clock) : clock_(std::move(clock)) {
            clock_->timers.push_back(this);
        }
        ~FakeTimer() override {
            auto& all = clock_->timers;
            all.erase(std::remove(all.begin(), all.end(), this), all.end());
        }

        void start(int milliseconds, bool repeat) override {
            interval_ = milliseconds;
            repeat_ = repeat;
            active_ = true;
            due_ = clock_->now + milliseconds;
            serial_ = clock_->nextSerial++;
            ++starts;
        }
        void stop() override { active_ = false; }
        bool active() const override { return active_; }

        int interval() const { return interval_; }
        bool repeating() const { return repeat_; }

        int starts = 0;

    private:
        friend class FakeTimers;

        std::shared_ptr<Clock> clock_;
        std::uint64_t serial_ = 0;
        int interval_ = 0;
        bool repeat_ = false;
        bool active_ = false;
        std::int64_t due_ = 0;
    };

    std::unique_ptr<Timer> create() override { return std::make_unique<FakeTimer>(clock_); }

    // Moves the clock on, firing what falls due on the way.
    void advance(int milliseconds) {
        const std::int64_t end = clock_->now + milliseconds;
        while (true) {
            FakeTimer* next = nullptr;
            for (FakeTimer* timer : clock_->timers) {
                if (!timer->active_ || timer->due_ > end) continue;
                if (next == nullptr || timer->due_ < next->due_ ||
                    (timer->due_ == next->due_ && timer->serial_ < next->serial_))
                    next = timer;
            }
            if (next == nullptr) break;
            clock_->now = next->due_;
            if (next->repeat_) {
                // A zero interval would fire for ever within one advance.
                next->due_ += std::max(next->interval_, 1);
            } else {
                next->active_ = false;
            }
            // Copied: the handler may destroy its own timer, and itself with it.
            const auto handler = next->onTimeout;
            if (handler) handler();
        }
        clock_->now = end;
    }

    std::int64_t now() const { return clock_->now; }
    // The timers alive now, in the order they were made.
    std::vector<FakeTimer*> timers() const { return clock_->timers; }
    std::size_t activeCount() const {
        return static_cast<std::size_t>(
            std::count_if(clock_->timers.begin(), clock_->timers.end(), [](const FakeTimer* t) { return t->active(); }));
    }

private:
    std::shared_ptr<Clock> clock_ = std::make_shared<Clock>();
};

}  // namespace lexo
