#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "platform/ports.h"

namespace lexo {

// Asks every record of a test exactly once, in an order where each pick is uniform among
// the records not asked yet. The records themselves never move: the order shuffles an
// array of their indices (Fisher–Yates: a draw from the random source for every place but
// the last, all made when the order is set up), so every step is one read of that array
// whatever the
// size of the test, and the records coming next are known early enough to be fetched
// from memory before they are asked.
class RandomOrder {
public:
    // `count` records wait; none is on display.
    void reset(std::size_t count, Random& random);
    void clear();

    // Moves past the record on display (if any) to the next one; nullopt when none is left.
    std::optional<std::size_t> next();

    // Records not asked yet, the one on display included.
    std::size_t remaining() const { return order_.size() - position_; }
    std::optional<std::size_t> current() const;
    // The record `ahead` places after the one on display, if there is one.
    std::optional<std::size_t> upcoming(std::size_t ahead) const;

private:
    std::vector<std::uint32_t> order_;
    std::size_t position_ = 0;  // of the record on display
    bool started_ = false;
};

}  // namespace lexo
