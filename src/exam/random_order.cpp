#include "exam/random_order.h"

#include <numeric>
#include <utility>

namespace lexo {

void RandomOrder::reset(std::size_t count, Random& random) {
    order_.resize(count);
    std::iota(order_.begin(), order_.end(), std::uint32_t{0});
    // Position i takes a uniform pick among the records from i on: the ones still waiting.
    for (std::size_t i = 0; i + 1 < count; ++i) {
        const std::size_t waiting = count - i;
        // A source that answers out of range must not take the test outside its table.
        const std::size_t pick = i + static_cast<std::size_t>(random.below(waiting) % waiting);
        std::swap(order_[i], order_[pick]);
    }
    position_ = 0;
    started_ = false;
}

void RandomOrder::clear() {
    order_.clear();
    order_.shrink_to_fit();
    position_ = 0;
    started_ = false;
}

std::optional<std::size_t> RandomOrder::next() {
    if (started_ && position_ < order_.size()) ++position_;
    started_ = true;
    if (position_ >= order_.size()) return std::nullopt;
    return order_[position_];
}

std::optional<std::size_t> RandomOrder::current() const {
    if (!started_ || position_ >= order_.size()) return std::nullopt;
    return order_[position_];
}

std::optional<std::size_t> RandomOrder::upcoming(std::size_t ahead) const {
    const std::size_t at = started_ ? position_ + ahead : ahead - 1;
    if (ahead == 0 || at >= order_.size()) return std::nullopt;
    return order_[at];
}

}  // namespace lexo
