#include "framework/PixelAllocator.h"

#include <cstdlib>
#include <mutex>
#include <vector>

#if defined(__linux__)
#include <sys/mman.h>
#endif

namespace fw {

namespace {

constexpr size_t kLargePage = size_t(2) << 20;
constexpr size_t kKeptBlocks = 4;

// A few released large blocks are kept for the next picture or sheet: a
// new puzzle needs blocks of about the same sizes as the last one, and
// fresh memory from the system must first be cleared by it.
struct Block {
    void* p;
    size_t bytes;
};

std::mutex& lock()
{
    static std::mutex m;
    return m;
}

// Never destroyed: bitmaps released while the program ends still find it,
// and the blocks it holds stay reachable instead of showing as leaks.
std::vector<Block>& kept()
{
    static auto* blocks = new std::vector<Block>;
    return *blocks;
}

size_t roundUp(size_t bytes) { return (bytes + kLargePage - 1) / kLargePage * kLargePage; }

void* reuse(size_t rounded)
{
    std::lock_guard<std::mutex> guard(lock());
    auto& blocks = kept();
    for (size_t i = 0; i < blocks.size(); ++i)
        if (blocks[i].bytes == rounded) {
            void* p = blocks[i].p;
            blocks.erase(blocks.begin() + static_cast<std::ptrdiff_t>(i));
            return p;
        }
    return nullptr;
}

}  // namespace

void* allocatePixels(size_t bytes)
{
    if (bytes < 2 * kLargePage) {
        void* p = std::malloc(bytes ? bytes : 1);
        if (!p)
            throw std::bad_alloc();
        return p;
    }
    const size_t rounded = roundUp(bytes);
    if (void* p = reuse(rounded))
        return p;
    void* p = nullptr;
    if (posix_memalign(&p, kLargePage, rounded) != 0)
        throw std::bad_alloc();
#if defined(__linux__) && defined(MADV_HUGEPAGE)
    madvise(p, rounded, MADV_HUGEPAGE);  // a hint: without it the memory works the same
#endif
    return p;
}

void releasePixels(void* p, size_t bytes) noexcept
{
    if (!p)
        return;
    if (bytes >= 2 * kLargePage) {
        std::lock_guard<std::mutex> guard(lock());
        auto& blocks = kept();
        if (blocks.size() == kKeptBlocks) {
            std::free(blocks.front().p);
            blocks.erase(blocks.begin());
        }
        blocks.push_back({p, roundUp(bytes)});
        return;
    }
    std::free(p);
}

}  // namespace fw
