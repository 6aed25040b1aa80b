#pragma once
#include <cstddef>
#include <cstdint>
#include <new>

namespace fw {

// Allocates pixel memory. Pictures and piece sheets run to many megabytes
// and are made afresh for every puzzle opened; asking the system for large
// pages for them saves thousands of page faults each time.
void* allocatePixels(size_t bytes);
void releasePixels(void* p, size_t bytes) noexcept;

template <class T>
struct PixelAllocator {
    using value_type = T;
    PixelAllocator() = default;
    template <class U>
    PixelAllocator(const PixelAllocator<U>&) noexcept {}

    T* allocate(size_t n)
    {
        if (n > SIZE_MAX / sizeof(T))
            throw std::bad_alloc();
        return static_cast<T*>(allocatePixels(n * sizeof(T)));
    }
    void deallocate(T* p, size_t n) noexcept { releasePixels(p, n * sizeof(T)); }

    template <class U>
    bool operator==(const PixelAllocator<U>&) const noexcept { return true; }
};

}  // namespace fw
