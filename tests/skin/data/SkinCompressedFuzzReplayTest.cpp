// Replays the compressed skin fuzz bodies over a packed test skin and variants
// made by a fixed-seed generator: damage to the file (outer layout and zlib
// stream) and damage to the unpacked content, which the content body packs
// again, so the changes also get past zlib's checksum to the pictures and text.
#include <cstring>
#include <random>

#include <gtest/gtest.h>

#include "SkinDataTestSkin.h"
#include "platform/vcl/Streams.h"
#include "skin/data/SkinCompressedSkin.h"
#include "skin/data/fuzz/SkinCompressedFuzzBody.h"

namespace tovrel::test {
namespace {

std::string Mutate(std::string bytes, std::mt19937& random)
{
    static const std::int32_t limits[] = {0, -1, 1, 2, 3, 4, 0x7FFFFFFF, std::int32_t(0x80000000), 14, 54};
    const auto pick = [&](std::size_t n) { return n == 0 ? 0 : std::size_t(random() % n); };
    switch (random() % 5) {
    case 0: // overwrite a byte
        if (!bytes.empty())
            bytes[pick(bytes.size())] = char(random() % 256);
        break;
    case 1: { // a 32-bit limit value anywhere (versions, lengths, counts, BMP sizes)
        if (bytes.size() >= 4) {
            const std::int32_t value = limits[pick(std::size(limits))];
            std::memcpy(bytes.data() + pick(bytes.size() - 3), &value, 4);
        }
        break;
    }
    case 2: // cut the end off
        bytes.resize(pick(bytes.size() + 1));
        break;
    case 3: { // delete a run
        bytes.erase(pick(bytes.size()), pick(256) + 1);
        break;
    }
    default: { // repeat a run elsewhere
        const std::size_t at = pick(bytes.size());
        const std::string run = bytes.substr(at, pick(512) + 1);
        bytes.insert(pick(bytes.size() + 1), run);
        break;
    }
    }
    return bytes;
}

TEST(SkinCompressedFuzzReplay, PackedSkinsAndTheirVariantsLoadWithoutCrashing)
{
    TTempFolder folder("skinfuzz");
    TskSkinData skin(nullptr);
    skin.LoadFromFile(WriteTestSkin(folder.Path(), 7));
    TMemoryStream seedStream;
    TskCompressedStoredSkin stored(nullptr);
    stored.LoadFromSkinData(&skin);
    stored.SaveToCompressStream(seedStream);
    const std::string seed(seedStream.Bytes().begin(), seedStream.Bytes().end());
    const TBytes plain = UnzlibBytes(TBytes(seed.begin() + 8, seed.end()));
    const std::string content(plain.begin(), plain.end());

    EXPECT_NO_THROW(ExerciseCompressedSkin(seed));
    std::mt19937 random(20261210);
    std::string fileVariant = seed, contentVariant = content;
    for (int i = 0; i < 300; ++i) {
        // Mostly fresh one-step variants, now and then stacked mutations.
        fileVariant = Mutate(i % 5 == 0 ? fileVariant : seed, random);
        EXPECT_NO_THROW(ExerciseCompressedSkin(fileVariant)) << "file variant " << i;
        contentVariant = Mutate(i % 5 == 0 ? contentVariant : content, random);
        EXPECT_NO_THROW(ExerciseSkinContent(contentVariant)) << "content variant " << i;
    }
}

} // namespace
} // namespace tovrel::test
