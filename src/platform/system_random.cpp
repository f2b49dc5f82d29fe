#include "platform/system_random.h"

namespace lexo {

SystemRandom::SystemRandom() {
    std::random_device device;
    std::seed_seq seed{device(), device(), device(), device()};
    engine_.seed(seed);
}

std::uint64_t SystemRandom::below(std::uint64_t bound) {
    if (bound <= 1) return 0;
    return std::uniform_int_distribution<std::uint64_t>(0, bound - 1)(engine_);
}

}  // namespace lexo
