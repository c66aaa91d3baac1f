// libFuzzer entry for the compressed skin loader.
//
// Built only with clang and the option TOVREL_BUILD_FUZZERS (see SkinIniFuzzer.cpp):
//   cmake --build build-fuzz --target skin_compressed_fuzzer
//   build-fuzz/tests/skin/data/skin_compressed_fuzzer build-fuzz/skin-compressed-corpus -max_total_time=300
// Good seeds are packed skins; the replay test writes them from its test skin.
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
