// Replays the INI skin parser's fuzz body over the seed corpus and over variants
// of it made by a fixed-seed generator, so every build checks what the libFuzzer
// target (clang only) checks at random.
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>

#include <gtest/gtest.h>

#include "skin/data/fuzz/SkinIniFuzzBody.h"

namespace tovrel::test {
namespace {

std::vector<std::string> SeedTexts()
{
    std::vector<std::string> seeds;
    for (const auto& file : std::filesystem::directory_iterator(TOVREL_SKIN_INI_CORPUS)) {
        std::ifstream in(file.path(), std::ios::binary);
        seeds.emplace_back(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    std::sort(seeds.begin(), seeds.end());
    return seeds;
}

// One mutation of the kinds that matter to this format: bytes that are syntax,
// numbers at their limits, lines cut, moved or repeated.
std::string Mutate(std::string text, std::mt19937& random)
{
    static const std::vector<std::string> pieces{"[",
                                                 "]",
                                                 "=",
                                                 ",",
                                                 ";",
                                                 ":",
                                                 "-",
                                                 "$",
                                                 "0x",
                                                 "\r\n",
                                                 "\n",
                                                 " ",
                                                 "\xEF\xBB\xBF",
                                                 "\0",
                                                 "2147483647",
                                                 "-2147483648",
                                                 "99999999999",
                                                 "$FFFFFFFF",
                                                 "count=",
                                                 "fsbold",
                                                 "stvert",
                                                 "cmmaximize"};
    const auto pick = [&](std::size_t n) { return n == 0 ? 0 : std::size_t(random() % n); };
    switch (random() % 6) {
    case 0: // overwrite a byte
        if (!text.empty())
            text[pick(text.size())] = char(random() % 256);
        break;
    case 1: { // insert a piece of syntax
        const std::string& piece = pieces[pick(pieces.size())];
        text.insert(pick(text.size() + 1), piece.size() ? piece : std::string(1, '\0'));
        break;
    }
    case 2: { // delete a run
        const std::size_t at = pick(text.size());
        text.erase(at, pick(64) + 1);
        break;
    }
    case 3: { // repeat a run elsewhere
        const std::size_t at = pick(text.size());
        const std::string run = text.substr(at, pick(200) + 1);
        text.insert(pick(text.size() + 1), run);
        break;
    }
    case 4: // cut the end off
        text.resize(pick(text.size() + 1));
        break;
    default: { // replace a digit run with a limit value
        const std::size_t at = text.find_first_of("0123456789", pick(text.size()));
        if (at != std::string::npos) {
            const std::size_t end = text.find_first_not_of("0123456789", at);
            text.replace(at, end == std::string::npos ? std::string::npos : end - at, pieces[14 + pick(4)]);
        }
        break;
    }
    }
    return text;
}

TEST(SkinIniFuzzReplay, SeedsAndTheirVariantsParseWithoutCrashing)
{
    const std::vector<std::string> seeds = SeedTexts();
    ASSERT_FALSE(seeds.empty());
    std::mt19937 random(20261210);
    for (const std::string& seed : seeds) {
        EXPECT_NO_THROW(test::ExerciseSkinIniText(seed));
        std::string variant = seed;
        for (int i = 0; i < 150; ++i) {
            // Mostly fresh one-step variants, now and then stacked mutations.
            variant = Mutate(i % 5 == 0 ? variant : seed, random);
            EXPECT_NO_THROW(test::ExerciseSkinIniText(variant)) << variant;
        }
    }
}

} // namespace
} // namespace tovrel::test
