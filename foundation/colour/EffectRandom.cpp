#include "EffectRandom.h"

namespace
{
    thread_local EffectRandom* currentGenerator = nullptr;
}

void EffectRandom::setSeed (int seed) noexcept
{
    random.setSeed (seed);
    seeded = true;
}

float EffectRandom::nextFloat()
{
    if (! seeded)
    {
        random.setSeedRandomly();
        seeded = true;
    }
    return random.nextFloat();
}

EffectRandom* EffectRandom::getCurrent() noexcept
{
    return currentGenerator;
}

EffectRandom::ScopedUse::ScopedUse (EffectRandom& generator) noexcept
    : previous (currentGenerator)
{
    currentGenerator = &generator;
}

EffectRandom::ScopedUse::~ScopedUse()
{
    currentGenerator = previous;
}
