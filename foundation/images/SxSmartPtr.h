#pragma once

#include <juce_core/juce_core.h>

#include <atomic>
#include <cstdint>

class SxPropertySet;

/** Intrusive reference count shared by the image buffers.

    A new object starts with a count of 1, owned by its creator. Every holder that
    calls retain, and the creator, calls release exactly once; the release that
    takes the count from 1 to 0 deletes the object. The count is atomic because
    images are retained and released from render threads as well as the message
    thread.
*/
class SxSmartPtr
{
public:
    SxSmartPtr() = default;
    virtual ~SxSmartPtr() = default;

    /** Adds one holder. */
    virtual void retain();

    /** Drops one holder; deletes the object when it was the last. */
    virtual void release();

    /** Writes the object into the set under key (the image entry under key + "_data").
        Returns false, leaving the set unchanged, when the object cannot be stored. */
    virtual bool writeToPropertySet (SxPropertySet& set, const juce::String& key) const = 0;

    /** Current number of holders (for diagnostics and tests). */
    int32_t getReferenceCount() const noexcept { return referenceCount.load (std::memory_order_acquire); }

private:
    std::atomic<int32_t> referenceCount { 1 };

    SxSmartPtr (const SxSmartPtr&) = delete;
    SxSmartPtr& operator= (const SxSmartPtr&) = delete;
};

/** RAII holder for an SxSmartPtr-derived object: adopts one reference and releases it. */
template <typename T>
class SxRef
{
public:
    SxRef() = default;
    /** Takes over the caller's reference (no retain). */
    explicit SxRef (T* adopted) noexcept : object (adopted) {}
    SxRef (const SxRef& other) noexcept : object (other.object) { if (object != nullptr) object->retain(); }
    SxRef (SxRef&& other) noexcept : object (other.object) { other.object = nullptr; }
    ~SxRef() { reset(); }

    SxRef& operator= (SxRef other) noexcept { std::swap (object, other.object); return *this; }

    /** Retains the object and holds that new reference. */
    static SxRef share (T* o) noexcept { if (o != nullptr) o->retain(); return SxRef (o); }

    void reset() noexcept { if (object != nullptr) { auto* o = object; object = nullptr; o->release(); } }
    /** Gives the reference to the caller. */
    T* detach() noexcept { auto* o = object; object = nullptr; return o; }

    T* get() const noexcept { return object; }
    T* operator->() const noexcept { return object; }
    T& operator*() const noexcept { return *object; }
    explicit operator bool() const noexcept { return object != nullptr; }

private:
    T* object = nullptr;
};
