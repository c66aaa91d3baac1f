// Writes the short chime the program plays after a batch: two soft tones
// that fade out, as a 16-bit mono PCM WAV file.
//   chimegen FILE.wav
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <numbers>
#include <vector>

namespace {

constexpr int kRate = 22050;

void Put(std::ofstream& out, std::uint32_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out.put(char((value >> (8 * i)) & 0xff));
}

std::vector<std::int16_t> Chime()
{
    struct Tone {
        double Start, Frequency;
    };
    const Tone tones[] = {{0.0, 880.0}, {0.18, 1318.5}};
    const double length = 0.9;
    std::vector<std::int16_t> samples(std::size_t(length * kRate));
    for (std::size_t i = 0; i < samples.size(); ++i) {
        const double t = double(i) / kRate;
        double value = 0;
        for (const Tone& tone : tones)
            if (t >= tone.Start)
                value += std::sin(2 * std::numbers::pi * tone.Frequency * (t - tone.Start)) *
                         std::exp(-5.0 * (t - tone.Start));
        samples[i] = std::int16_t(std::lround(value * 0.35 * 32767));
    }
    return samples;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: chimegen FILE.wav\n");
        return 2;
    }
    const std::filesystem::path file = argv[1];
    std::error_code ignored;
    std::filesystem::create_directories(file.parent_path(), ignored);
    std::ofstream out(file, std::ios::binary);
    const std::vector<std::int16_t> samples = Chime();
    const std::uint32_t data = std::uint32_t(samples.size() * 2);
    out.write("RIFF", 4);
    Put(out, 36 + data, 4);
    out.write("WAVEfmt ", 8);
    Put(out, 16, 4);
    Put(out, 1, 2); // PCM
    Put(out, 1, 2); // mono
    Put(out, kRate, 4);
    Put(out, kRate * 2, 4);
    Put(out, 2, 2);
    Put(out, 16, 2);
    out.write("data", 4);
    Put(out, data, 4);
    for (std::int16_t sample : samples)
        Put(out, std::uint16_t(sample), 2);
    if (!out) {
        std::fprintf(stderr, "chimegen: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
