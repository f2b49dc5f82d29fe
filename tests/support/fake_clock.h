#pragma once

#include "platform/ports.h"

namespace lexo {

// A clock that says whatever the test sets.
class FakeClock final : public Clock {
public:
    LocalDateTime time;

    FakeClock() = default;
    explicit FakeClock(LocalDateTime when) : time(when) {}

    LocalDateTime now() const override { return time; }
    void set(int year, int month, int day, int hour = 12, int minute = 0, int second = 0) {
        time = {year, month, day, hour, minute, second};
    }
};

}  // namespace lexo
