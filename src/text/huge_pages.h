#pragma once

#include <cstddef>

namespace lexo {

// Asks the kernel to back a large, not yet touched buffer with huge pages: filling a
// 100 MB buffer then takes a few dozen page faults instead of tens of thousands.
void adviseHugePages(void* data, std::size_t bytes);

}  // namespace lexo
