#pragma once

#include <cstddef>

/** Memory for large pixel buffers, backed by huge pages where the system offers them.

    A 12 MP picture is 48 MB: in 4 KB pages that is 12,000 page faults on first touch,
    which cost more than the pass that writes the pixels (a virtual machine makes each
    fault dearer still). Buffers from here ask the kernel for 2 MB pages instead. Smaller
    requests are ordinary malloc blocks. Either way the memory is released with std::free.
*/
namespace HugePageMemory
{
    /** Bytes from which an allocation asks for huge pages. */
    inline constexpr size_t threshold = (size_t) 4 << 20;

    /** bytes of memory, zeroed when cleared is true; nullptr when the system has none. */
    void* allocate (size_t bytes, bool cleared);
}
