// libFuzzer entry for the skin bitmap's PCX reader; see scripts/fuzz.
// Seeds: small PCX pictures written by fuzz_seeds.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "skin/draw/fuzz/PcxFuzzBody.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    tovrel::test::ExercisePcxReader(std::string_view(reinterpret_cast<const char*>(data), size));
    return 0;
}
