#include "SxSmartPtr.h"

void SxSmartPtr::retain()
{
    referenceCount.fetch_add (1, std::memory_order_relaxed);
}

void SxSmartPtr::release()
{
    // acq_rel: the deleting thread must see every write made by the other holders.
    if (referenceCount.fetch_sub (1, std::memory_order_acq_rel) == 1)
        delete this;
}
