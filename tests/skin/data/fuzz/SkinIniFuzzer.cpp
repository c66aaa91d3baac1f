// libFuzzer entry for the INI skin parser.
//
// Built only with clang and the option TOVREL_BUILD_FUZZERS:
//   CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DTOVREL_BUILD_FUZZERS=ON
//   cmake --build build-fuzz --target skin_ini_fuzzer
//   mkdir -p build-fuzz/skin-ini-corpus
//   build-fuzz/tests/skin/data/skin_ini_fuzzer build-fuzz/skin-ini-corpus -max_len=4096 -max_total_time=300
// The gcc build runs the same body over a fixed corpus in SkinIniFuzzReplayTest.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "skin/data/fuzz/SkinIniFuzzBody.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    tovrel::test::ExerciseSkinIniText(std::string_view(reinterpret_cast<const char*>(data), size));
    return 0;
}
