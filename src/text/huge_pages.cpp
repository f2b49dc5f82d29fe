#include "text/huge_pages.h"

#include <cstdint>
#include <sys/mman.h>

namespace lexo {

void adviseHugePages(void* data, std::size_t bytes) {
    constexpr std::uintptr_t kHuge = 2u << 20;
    if (bytes < 2 * kHuge) return;
    const auto begin = (reinterpret_cast<std::uintptr_t>(data) + kHuge - 1) & ~(kHuge - 1);
    const auto end = (reinterpret_cast<std::uintptr_t>(data) + bytes) & ~(kHuge - 1);
    if (end > begin) ::madvise(reinterpret_cast<void*>(begin), end - begin, MADV_HUGEPAGE);
}

}  // namespace lexo
