#pragma once
// The pseudo-random numbers of the noise effects: one generator for the process.
namespace tovrel {

// A uniform integer 0 .. n - 1; 0 for n <= 0. Main thread only.
int EffectRandom(int n);
void SetEffectRandomSeed(unsigned seed);

} // namespace tovrel
