#include "ChimeWave.h"

#include <algorithm>
#include <cmath>
#include <iterator>
#include <numbers>
#include <string_view>

namespace tovrel::ringgen {
namespace {

struct TNote {
    double Start;     // seconds
    double Frequency; // Hz
};

// E6 then A5: a falling fourth, short enough not to annoy after every batch.
constexpr TNote kNotes[] = {{0.0, 1318.51}, {0.18, 880.0}};
constexpr double kLength = 1.0, kDecay = 4.5, kAttack = 0.004;
// Each note peaks at 1.3 and they overlap: scaled so the sum never clips.
constexpr double kLevel = 0.4 / (1.3 * std::size(kNotes));

// A struck bell: the fundamental with a quieter, faster-fading partial above.
double Note(const TNote& note, double t)
{
    const double since = t - note.Start;
    if (since < 0)
        return 0;
    const double attack = std::min(1.0, since / kAttack);
    const double phase = 2 * std::numbers::pi * note.Frequency * since;
    return attack *
           (std::exp(-kDecay * since) * std::sin(phase) + 0.3 * std::exp(-2 * kDecay * since) * std::sin(2.76 * phase));
}

void Put(std::vector<std::uint8_t>& out, std::uint32_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out.push_back(std::uint8_t(value >> (8 * i)));
}

void Put(std::vector<std::uint8_t>& out, std::string_view tag)
{
    out.insert(out.end(), tag.begin(), tag.end());
}

} // namespace

std::vector<std::int16_t> ChimeSamples()
{
    const int count = int(kLength * ChimeSampleRate);
    std::vector<std::int16_t> samples(std::size_t(count), 0);
    for (int i = 0; i < count; ++i) {
        const double t = double(i) / ChimeSampleRate;
        double value = 0;
        for (const TNote& note : kNotes)
            value += Note(note, t);
        // The last milliseconds fade to silence, so the end does not click.
        const double tail = std::min(1.0, (count - i) / (0.02 * ChimeSampleRate));
        samples[std::size_t(i)] = std::int16_t(std::lround(32767 * kLevel * tail * value));
    }
    return samples;
}

std::vector<std::uint8_t> WaveFile(const std::vector<std::int16_t>& samples, int sampleRate)
{
    const std::uint32_t dataBytes = std::uint32_t(samples.size() * 2);
    std::vector<std::uint8_t> out;
    out.reserve(44 + dataBytes);
    Put(out, "RIFF");
    Put(out, 36 + dataBytes, 4);
    Put(out, "WAVE");
    Put(out, "fmt ");
    Put(out, 16, 4); // chunk size
    Put(out, 1, 2);  // PCM
    Put(out, 1, 2);  // mono
    Put(out, std::uint32_t(sampleRate), 4);
    Put(out, std::uint32_t(sampleRate) * 2, 4); // bytes per second
    Put(out, 2, 2);                             // block align
    Put(out, 16, 2);                            // bits per sample
    Put(out, "data");
    Put(out, dataBytes, 4);
    for (std::int16_t sample : samples)
        Put(out, std::uint16_t(sample), 2);
    return out;
}

} // namespace tovrel::ringgen
