// ringgen: writes the chime played after a batch.
//
//   ringgen <output .wav>
#include <filesystem>
#include <fstream>
#include <iostream>

#include "ChimeWave.h"

int main(int argc, char** argv)
{
    using namespace tovrel::ringgen;
    if (argc != 2) {
        std::cerr << "usage: ringgen <output .wav>\n";
        return 2;
    }
    const std::filesystem::path output(argv[1]);
    std::error_code error;
    if (output.has_parent_path())
        std::filesystem::create_directories(output.parent_path(), error);
    const auto bytes = WaveFile(ChimeSamples(), ChimeSampleRate);
    std::ofstream out(output, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    if (!out.flush()) {
        std::cerr << "ringgen: cannot write " << output << "\n";
        return 1;
    }
    return 0;
}
