#include "framework/PixelAllocator.h"

#include <cstdlib>

#if defined(__linux__)
#include <sys/mman.h>
#endif

namespace fw {

namespace {
constexpr size_t kLargePage = size_t(2) << 20;
}

void* allocatePixels(size_t bytes)
{
    if (bytes < 2 * kLargePage) {
        void* p = std::malloc(bytes ? bytes : 1);
        if (!p)
            throw std::bad_alloc();
        return p;
    }
    void* p = nullptr;
    const size_t rounded = (bytes + kLargePage - 1) / kLargePage * kLargePage;
    if (posix_memalign(&p, kLargePage, rounded) != 0)
        throw std::bad_alloc();
#if defined(__linux__) && defined(MADV_HUGEPAGE)
    madvise(p, rounded, MADV_HUGEPAGE);  // a hint: without it the memory works the same
#endif
    return p;
}

void releasePixels(void* p, size_t) noexcept { std::free(p); }

}  // namespace fw
