#pragma once

#include "HugePageMemory.h"

#include <cstdlib>
#include <limits>
#include <memory>
#include <new>
#include <type_traits>
#include <utility>

/** The allocator of pixel vectors: large ones on huge pages (see HugePageMemory), and
    sizing leaves trivial elements as they come.

    Pixel buffers are written whole right after they are sized: clearing 48 MB only to
    overwrite it costs a pass over memory on one core. Construction with a value (assign,
    push_back) works as usual.
*/
template <typename T>
class PixelAllocator
{
public:
    using value_type = T;

    PixelAllocator() noexcept = default;
    template <typename U>
    PixelAllocator (const PixelAllocator<U>&) noexcept {}

    T* allocate (size_t n)
    {
        if (n > std::numeric_limits<size_t>::max() / sizeof (T))
            throw std::bad_array_new_length();
        if (auto* memory = HugePageMemory::allocate (n * sizeof (T), false))
            return static_cast<T*> (memory);
        throw std::bad_alloc();
    }

    void deallocate (T* p, size_t) noexcept { std::free (p); }

    template <typename U>
    void construct (U* p) noexcept (std::is_nothrow_default_constructible_v<U>)
    {
        ::new (static_cast<void*> (p)) U;
    }

    template <typename U, typename... Args>
    void construct (U* p, Args&&... args)
    {
        ::new (static_cast<void*> (p)) U (std::forward<Args> (args)...);
    }

    template <typename U>
    bool operator== (const PixelAllocator<U>&) const noexcept { return true; }
};
