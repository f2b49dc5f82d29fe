#pragma once

#include "platform/ports.h"

namespace lexo {

// Timers on QTimer, firing on the thread that created them (the user-interface thread).
class QtTimers final : public Timers {
public:
    std::unique_ptr<Timer> create() override;
};

}  // namespace lexo
