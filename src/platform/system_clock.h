#pragma once

#include "platform/ports.h"

namespace lexo {

// The machine's local date and time, read from the C library so the core needs no Qt.
class SystemClock final : public Clock {
public:
    LocalDateTime now() const override;
};

}  // namespace lexo
