// libFuzzer entry for the INI skin parser.
//
// Built with clang and the option TOVREL_BUILD_FUZZERS (every library
// instrumented); scripts/fuzz builds it and runs it over the seed corpus:
//   scripts/fuzz skin_ini
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
