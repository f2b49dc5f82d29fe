#pragma once

#include <cstdint>
#include <random>

#include "platform/ports.h"

namespace lexo {

// The random order of the tests in the running program: a Mersenne Twister seeded once
// from the system's entropy source.
class SystemRandom final : public Random {
public:
    SystemRandom();
    std::uint64_t below(std::uint64_t bound) override;

private:
    std::mt19937_64 engine_;
};

}  // namespace lexo
