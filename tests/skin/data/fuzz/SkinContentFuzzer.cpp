// libFuzzer entry for the content of a compressed skin (pictures and
// description behind the zlib layer); see scripts/fuzz.
// Seeds: unpacked skins, written by the fuzz_seeds program.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "skin/data/fuzz/SkinCompressedFuzzBody.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    tovrel::test::ExerciseSkinContent(std::string_view(reinterpret_cast<const char*>(data), size));
    return 0;
}
