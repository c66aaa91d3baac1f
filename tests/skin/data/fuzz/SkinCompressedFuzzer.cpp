// libFuzzer entry for the compressed skin loader.
//
// Built with clang and the option TOVREL_BUILD_FUZZERS; scripts/fuzz builds and
// runs it. Seeds: packed skins, written by the fuzz_seeds program.
// The gcc build runs the same body in SkinCompressedFuzzReplayTest.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "skin/data/fuzz/SkinCompressedFuzzBody.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    tovrel::test::ExerciseCompressedSkin(std::string_view(reinterpret_cast<const char*>(data), size));
    return 0;
}
