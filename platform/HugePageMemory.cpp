#include "HugePageMemory.h"

#include <sys/mman.h>

#include <cstdlib>
#include <cstring>

namespace
{
    constexpr size_t hugePage = (size_t) 2 << 20;
}

void* HugePageMemory::allocate (size_t bytes, bool cleared)
{
    if (bytes < threshold)
        return cleared ? std::calloc (bytes == 0 ? 1 : bytes, 1) : std::malloc (bytes == 0 ? 1 : bytes);

    if (bytes > (size_t) -1 - hugePage)
        return nullptr;
    const size_t rounded = (bytes + hugePage - 1) & ~(hugePage - 1);
    void* memory = std::aligned_alloc (hugePage, rounded);
    if (memory == nullptr)
        return nullptr;

    // Only advice: without transparent huge pages the memory is ordinary and still good.
    madvise (memory, rounded, MADV_HUGEPAGE);
    if (cleared)
        std::memset (memory, 0, bytes);
    return memory;
}
