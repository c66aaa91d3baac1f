// libFuzzer entry for the framework's INI file (settings files such as
// option.ini); see scripts/fuzz. Seeds: INI texts written by fuzz_seeds.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "platform/vcl/fuzz/IniFileFuzzBody.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    tovrel::test::ExerciseIniFile(std::string_view(reinterpret_cast<const char*>(data), size));
    return 0;
}
