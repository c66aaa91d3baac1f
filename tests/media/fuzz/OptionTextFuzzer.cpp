// libFuzzer entry for a task's option text; see scripts/fuzz.
// Seeds: option texts written by fuzz_seeds.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "media/fuzz/OptionTextFuzzBody.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    tovrel::test::ExerciseOptionText(std::string_view(reinterpret_cast<const char*>(data), size));
    return 0;
}
