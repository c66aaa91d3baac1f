#include "skin/draw/EffectRandom.h"

#include <random>

namespace tovrel {

namespace {

std::minstd_rand& Generator()
{
    static std::minstd_rand generator(std::random_device{}());
    return generator;
}

} // namespace

int EffectRandom(int n)
{
    if (n <= 0)
        return 0;
    return std::uniform_int_distribution<int>(0, n - 1)(Generator());
}

void SetEffectRandomSeed(unsigned seed)
{
    Generator().seed(seed);
}

} // namespace tovrel
