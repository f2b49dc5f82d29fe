#pragma once

#include <cstdint>
#include <deque>
#include <random>
#include <vector>

#include "platform/ports.h"

namespace lexo {

// Answers from a script: queued numbers first, then `fallback`; records every bound asked.
class ScriptedRandom final : public Random {
public:
    std::deque<std::uint64_t> picks;
    std::uint64_t fallback = 0;
    std::vector<std::uint64_t> bounds;

    std::uint64_t below(std::uint64_t bound) override {
        bounds.push_back(bound);
        if (picks.empty()) return fallback;
        const std::uint64_t pick = picks.front();
        picks.pop_front();
        return pick;
    }
};

// Uniform numbers from a fixed seed: random enough for statistics, the same in every run.
class SeededRandom final : public Random {
public:
    explicit SeededRandom(std::uint64_t seed = 20061208) : engine_(seed) {}

    std::uint64_t below(std::uint64_t bound) override {
        return std::uniform_int_distribution<std::uint64_t>(0, bound - 1)(engine_);
    }

private:
    std::mt19937_64 engine_;
};

}  // namespace lexo
