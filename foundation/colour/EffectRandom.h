#pragma once

#include <juce_core/juce_core.h>

/** The reproducible random generator of the watercolour renders.

    A render reseeds it from its settings before drawing its brush dabs, so the dabs
    depend only on those settings: the sequence after setSeed is juce::Random's.

    Each render owns one EffectRandom and makes it current on its thread with a
    ScopedUse; setEffectRandomSeed and effectRandomFloat then reach that generator, so
    renders running at once on different threads never share a sequence and each one
    draws exactly what it would draw alone. Code that runs with no generator current
    falls back to one process-wide instance, guarded by a lock.
*/
class EffectRandom
{
public:
    /** Seed 0 and not yet seeded, like the process-wide generator at start-up. */
    EffectRandom() = default;

    /** Restarts the sequence from seed and marks the generator seeded. */
    void setSeed (int seed) noexcept;

    /** The next float in [0, 1). A generator nobody has seeded seeds itself randomly
        first; once seeded it simply continues its sequence. */
    float nextFloat();

    /** True once setSeed or nextFloat has seeded the generator. */
    bool isSeeded() const noexcept { return seeded; }

    /** The generator made current on the calling thread, or nullptr. */
    static EffectRandom* getCurrent() noexcept;

    /** Makes a generator the calling thread's current one while the scope lives, and
        restores the previous one afterwards (scopes nest). */
    class ScopedUse
    {
    public:
        explicit ScopedUse (EffectRandom& generator) noexcept;
        ~ScopedUse();

    private:
        EffectRandom* previous = nullptr;

        JUCE_DECLARE_NON_COPYABLE (ScopedUse)
    };

private:
    juce::Random random { 0 };
    bool seeded = false;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (EffectRandom)
};
