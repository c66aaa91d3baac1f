// libFuzzer entry for one image reader, chosen at build time by
// TOVREL_FUZZ_IMAGE_FORMAT (Bmp, Png, Jpeg or Gif); see scripts/fuzz.
// Seeds: small pictures of every kind the reader takes, written by fuzz_seeds.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "platform/gdi/fuzz/ImageFuzzBody.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    tovrel::test::ExerciseImageReader(tovrel::TImageFormat::TOVREL_FUZZ_IMAGE_FORMAT,
                                      std::string_view(reinterpret_cast<const char*>(data), size));
    return 0;
}
