#pragma once
// The after-batch chime: two bell-like notes, one after the other, as a
// 16-bit mono PCM WAV file.
#include <cstdint>
#include <vector>

namespace tovrel::ringgen {

inline constexpr int ChimeSampleRate = 22050;

// The chime's samples at ChimeSampleRate.
std::vector<std::int16_t> ChimeSamples();

// A complete WAV file (RIFF header, "fmt " and "data" chunks) of the samples.
std::vector<std::uint8_t> WaveFile(const std::vector<std::int16_t>& samples, int sampleRate);

} // namespace tovrel::ringgen
