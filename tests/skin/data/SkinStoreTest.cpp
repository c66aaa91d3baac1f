// Compressed skins: the byte layout, packing and unpacking, damaged files,
// and the zlib streams' rules.
#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>

#include <gtest/gtest.h>

#include "SkinDataTestSkin.h"
#include "platform/vcl/ControlTestSupport.h"
#include "platform/vcl/Errors.h"
#include "platform/vcl/Streams.h"
#include "skin/data/SkinCompressedContent.h"
#include "skin/data/SkinCompressedSkin.h"
#include "skin/data/SkinCompressedStreams.h"

namespace tovrel::test {
namespace {

std::vector<std::uint8_t> FileBytes(const std::string& fileName)
{
    std::ifstream in(fileName, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteBytes(const std::string& fileName, const std::vector<std::uint8_t>& bytes)
{
    std::ofstream(fileName, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
}

std::int32_t Int32At(const std::vector<std::uint8_t>& bytes, std::size_t offset)
{
    std::int32_t value;
    std::memcpy(&value, bytes.data() + offset, 4);
    return value;
}

void PutInt32(std::vector<std::uint8_t>& bytes, std::size_t offset, std::int32_t value)
{
    std::memcpy(bytes.data() + offset, &value, 4);
}

class SkinStoreTest : public ControlTest {
protected:
    void SetUp() override
    {
        ControlTest::SetUp();
        skin.LoadFromFile(WriteTestSkin(folder.Path(), 4));
        skin.SaveToCompressedFile(folder.File("skin.skn"));
        packed = FileBytes(folder.File("skin.skn"));
    }

    TTempFolder folder{"skinstore"};
    TskSkinData skin{nullptr};
    std::vector<std::uint8_t> packed;
    TSkinMessageLog log;
};

TEST_F(SkinStoreTest, PackedSkinUnpacksToTheSameSkin)
{
    TskSkinData fromFile(nullptr);
    fromFile.LoadFromCompressedFile(folder.File("skin.skn"));
    ExpectSameSkin(skin, fromFile);

    // Packing the folder itself gives the same skin as packing the loaded object.
    TskCompressedStoredSkin stored(nullptr);
    stored.LoadFromIniFile(folder.File("skin.ini"));
    TskSkinData fromFolder(nullptr);
    fromFolder.SetCompressedStoredSkin(&stored);
    ExpectSameSkin(skin, fromFolder);

    // A stored skin streamed as a list item's "Skin" property reads back whole.
    TMemoryStream property;
    stored.SaveToCompressStream(property);
    TskCompressedStoredSkin copy(nullptr);
    copy.LoadFromCompressStream(property);
    EXPECT_EQ(stored.CompressedData().Bytes(), copy.CompressedData().Bytes());
}

TEST_F(SkinStoreTest, FileLayoutIsVersionLengthAndOneZlibStream)
{
    ASSERT_GT(packed.size(), 10u);
    EXPECT_EQ(3, Int32At(packed, 0));
    EXPECT_EQ(std::int32_t(packed.size() - 8), Int32At(packed, 4));
    EXPECT_EQ(0x78, packed[8]);
    EXPECT_EQ(0xDA, packed[9]); // level 9

    const std::vector<std::uint8_t> plain = UnzlibBytes({packed.begin() + 8, packed.end()});
    std::size_t at = 0;
    EXPECT_EQ(3, Int32At(plain, at));
    at += 4;
    const auto expectImage = [&](int width, const char* what) {
        ASSERT_EQ('B', plain[at]) << what;
        ASSERT_EQ('M', plain[at + 1]) << what;
        EXPECT_EQ(width, Int32At(plain, at + 18)) << what;
        at += std::size_t(Int32At(plain, at + 2));
    };
    EXPECT_EQ(0, plain[at++]);
    expectImage(40, "main");
    EXPECT_EQ(1, plain[at++]); // no inactive picture, no image
    EXPECT_EQ(0, plain[at++]);
    expectImage(40, "mask");
    EXPECT_EQ(2, Int32At(plain, at));
    at += 4;
    expectImage(16, "active 0");
    expectImage(5, "active 1");
    const std::string text(plain.begin() + std::ptrdiff_t(at), plain.end());
    EXPECT_TRUE(text.starts_with("[VERSION]\r\n")) << text.substr(0, 40);
    EXPECT_NE(std::string::npos, text.find("skinname=Test skin 4\r\n"));
}

// Files whose outer version this reader does not know are no skin: nothing
// changes and nothing is raised.
TEST_F(SkinStoreTest, UnknownOuterVersionLeavesTheSkinAlone)
{
    TskSkinData target(nullptr);
    target.LoadFromFile(folder.File("skin.ini"));
    TRecorderForm form(nullptr, "form", log);
    for (std::int32_t version : {4, 100, -1, -3}) {
        std::vector<std::uint8_t> file = packed;
        PutInt32(file, 0, version);
        WriteBytes(folder.File("other.skn"), file);
        TskCompressedStoredSkin stored(nullptr);
        stored.LoadFromCompressFile(folder.File("other.skn"));
        EXPECT_TRUE(stored.Empty()) << version;
        EXPECT_NO_THROW(target.LoadFromCompressedFile(folder.File("other.skn"))) << version;
    }
    EXPECT_TRUE(log.empty());
    EXPECT_FALSE(target.Empty);
}

// A cut, lying or garbled file raises and never loads as a part of a skin.
TEST_F(SkinStoreTest, DamagedFilesAreRejected)
{
    const std::vector<std::uint8_t> zlibData(packed.begin() + 8, packed.end());
    std::vector<std::uint8_t> plain = UnzlibBytes(zlibData);
    const std::size_t mainImageSize = std::size_t(Int32At(plain, 5 + 2));
    const std::size_t countAt = 4 + 1 + mainImageSize + 1 + 1 + mainImageSize;

    struct TCase {
        const char* What;
        std::vector<std::uint8_t> File;
    };
    std::vector<TCase> cases;
    cases.push_back({"empty file", {}});
    cases.push_back({"version only", {packed.begin(), packed.begin() + 4}});
    cases.push_back({"length cut", {packed.begin(), packed.begin() + 6}});
    for (std::size_t keep : {std::size_t(8), std::size_t(9), packed.size() / 2, packed.size() - 1}) {
        // The length field still claims the whole stream.
        cases.push_back({"data cut", {packed.begin(), packed.begin() + std::ptrdiff_t(keep)}});
    }
    {
        // The length field agrees with the cut, so only the zlib stream shows it.
        std::vector<std::uint8_t> file(packed.begin(), packed.begin() + std::ptrdiff_t(packed.size() - 10));
        PutInt32(file, 4, std::int32_t(file.size() - 8));
        cases.push_back({"zlib stream cut", file});
    }
    {
        std::vector<std::uint8_t> file = packed;
        PutInt32(file, 4, -8);
        cases.push_back({"negative length", file});
        PutInt32(file, 4, 0x7FFFFFFF);
        cases.push_back({"length beyond the end", file});
    }
    {
        std::vector<std::uint8_t> file = packed;
        for (std::size_t i = 20; i < 60 && i < file.size(); ++i)
            file[i] ^= 0x5A;
        cases.push_back({"garbled zlib data", file});
    }
    cases.push_back({"not zlib at all", SkinFileBytes(3, {'n', 'o', 't', ' ', 'z', 'l', 'i', 'b'})});
    {
        std::vector<std::uint8_t> content = plain;
        PutInt32(content, countAt, -2);
        cases.push_back({"negative picture count", SkinFileBytes(3, ZlibBytes(content))});
        PutInt32(content, countAt, 1000);
        cases.push_back({"more pictures than the data holds", SkinFileBytes(3, ZlibBytes(content))});
    }
    {
        std::vector<std::uint8_t> content = plain;
        PutInt32(content, 5 + 2, 0x7FFFFFF0);
        cases.push_back({"picture size beyond the data", SkinFileBytes(3, ZlibBytes(content))});
        content = plain;
        content[5] = 'X';
        cases.push_back({"picture that is no BMP", SkinFileBytes(3, ZlibBytes(content))});
        content.resize(5 + mainImageSize / 2);
        cases.push_back({"content cut inside a picture", SkinFileBytes(3, ZlibBytes(content))});
    }

    TskSkinData target(nullptr);
    target.LoadFromFile(folder.File("skin.ini"));
    const std::string before = DescriptionText(target);
    TRecorderForm form(nullptr, "form", log);
    for (const TCase& c : cases) {
        WriteBytes(folder.File("damaged.skn"), c.File);
        EXPECT_THROW(target.LoadFromCompressedFile(folder.File("damaged.skn")), Exception) << c.What;
        EXPECT_FALSE(target.Empty) << c.What;
        EXPECT_EQ(before, DescriptionText(target)) << c.What;
    }
    EXPECT_TRUE(log.empty());
    EXPECT_THROW(target.LoadFromCompressedFile(folder.File("missing.skn")), EFOpenError);
}

TEST_F(SkinStoreTest, InnerVersionsTwoAndFour)
{
    std::vector<std::uint8_t> plain = UnzlibBytes({packed.begin() + 8, packed.end()});
    const std::size_t mainImageSize = std::size_t(Int32At(plain, 5 + 2));
    const std::size_t afterMask = 4 + 1 + mainImageSize + 1 + 1 + mainImageSize;

    // Version 2: two more flag-and-picture pairs after the mask, dropped.
    std::vector<std::uint8_t> version2 = plain;
    PutInt32(version2, 0, 2);
    std::vector<std::uint8_t> extra{1, 0};
    extra.insert(extra.end(), plain.begin() + 5, plain.begin() + 5 + std::ptrdiff_t(mainImageSize));
    version2.insert(version2.begin() + std::ptrdiff_t(afterMask), extra.begin(), extra.end());
    WriteBytes(folder.File("v2.skn"), SkinFileBytes(3, ZlibBytes(version2)));
    TskSkinData fromVersion2(nullptr);
    fromVersion2.LoadFromCompressedFile(folder.File("v2.skn"));
    ExpectSameSkin(skin, fromVersion2);

    // Version 4: unknown content changes nothing.
    std::vector<std::uint8_t> version4 = plain;
    PutInt32(version4, 0, 4);
    WriteBytes(folder.File("v4.skn"), SkinFileBytes(3, ZlibBytes(version4)));
    TRecorderForm form(nullptr, "form", log);
    fromVersion2.LoadFromCompressedFile(folder.File("v4.skn"));
    EXPECT_TRUE(log.empty());
    ExpectSameSkin(skin, fromVersion2);
}

// Reading the description text alone passes over the pictures without
// decoding them, yet refuses the same damaged pictures the full read does.
TEST_F(SkinStoreTest, DescriptionTextAloneMatchesTheFullRead)
{
    const std::vector<std::uint8_t> plain = UnzlibBytes({packed.begin() + 8, packed.end()});
    const std::size_t mainImageSize = std::size_t(Int32At(plain, 5 + 2));
    const auto stream = [](const std::vector<std::uint8_t>& bytes) {
        auto memory = std::make_unique<TMemoryStream>();
        memory->WriteBuffer(bytes.data(), std::int64_t(bytes.size()));
        memory->SetPosition(0);
        return memory;
    };
    TskSkinContent content;
    ASSERT_TRUE(ReadSkinContent(*stream(plain), content));
    std::string text;
    ASSERT_TRUE(ReadSkinIniText(*stream(plain), text));
    EXPECT_EQ(content.IniText, text);
    EXPECT_NE(std::string::npos, text.find("Test skin 4"));

    std::vector<std::uint8_t> newer = plain;
    PutInt32(newer, 0, 4);
    EXPECT_FALSE(ReadSkinIniText(*stream(newer), text));

    std::vector<std::vector<std::uint8_t>> damaged(3, plain);
    PutInt32(damaged[0], 5 + 2, 0x7FFFFFF0);
    damaged[1][5] = 'X';
    damaged[2].resize(5 + mainImageSize / 2);
    for (const auto& bytes : damaged) {
        EXPECT_THROW(ReadSkinContent(*stream(bytes), content), Exception);
        EXPECT_THROW(ReadSkinIniText(*stream(bytes), text), Exception);
    }
}

// The description text may start with a byte-order mark; UTF-16 text reads the same.
TEST_F(SkinStoreTest, DescriptionTextWithAByteOrderMark)
{
    const std::vector<std::uint8_t> plain = UnzlibBytes({packed.begin() + 8, packed.end()});
    const std::string marker = "[VERSION]";
    const auto textAt = std::search(plain.begin(), plain.end(), marker.begin(), marker.end());
    ASSERT_NE(plain.end(), textAt);
    const std::string text(textAt, plain.end());

    std::vector<std::uint8_t> utf8(plain.begin(), textAt);
    for (unsigned char c : "\xEF\xBB\xBF" + text)
        utf8.push_back(c);
    std::vector<std::uint8_t> utf16(plain.begin(), textAt);
    utf16.insert(utf16.end(), {0xFF, 0xFE});
    for (char c : text)
        utf16.insert(utf16.end(), {std::uint8_t(c), 0});

    for (const auto& content : {utf8, utf16}) {
        WriteBytes(folder.File("bom.skn"), SkinFileBytes(3, ZlibBytes(content)));
        TskSkinData loaded(nullptr);
        loaded.LoadFromCompressedFile(folder.File("bom.skn"));
        EXPECT_EQ("Test skin 4", loaded.Version.SkinName);
        EXPECT_EQ(skin.CtrlList.size(), loaded.CtrlList.size());
    }
}

TEST_F(SkinStoreTest, EmptyStoredSkinWritesNoFileButAnEmptyProperty)
{
    TskCompressedStoredSkin stored(nullptr);
    EXPECT_TRUE(stored.Empty());
    stored.SaveToCompressFile(folder.File("none.skn"));
    EXPECT_FALSE(std::filesystem::exists(folder.File("none.skn")));
    TMemoryStream property;
    stored.SaveToCompressStream(property);
    EXPECT_EQ(property.Bytes(), (std::vector<std::uint8_t>{3, 0, 0, 0, 0, 0, 0, 0}));

    // A folder that is no skin leaves what was stored.
    TskCompressedStoredSkin full(nullptr);
    full.LoadFromIniFile(folder.File("skin.ini"));
    const std::vector<std::uint8_t> data = full.CompressedData().Bytes();
    TskIniFile ini;
    ini.LoadFromFile(folder.File("skin.ini"));
    ini.EraseSection("SKINCONTROLS");
    ini.SaveToFile(folder.File("noskin.ini"));
    full.LoadFromIniFile(folder.File("noskin.ini"));
    EXPECT_EQ(data, full.CompressedData().Bytes());
}

TEST(SkinZlibStreams, RefusedOperationsAndSeeks)
{
    TMemoryStream packedStream;
    const std::string text(20000, 'x');
    {
        TCompressionStream compressor(TCompressionLevel::clMax, packedStream);
        compressor.WriteBuffer(text.data(), std::int64_t(text.size()));
        char byte;
        EXPECT_THROW(compressor.Read(&byte, 1), ECompressionError);
        EXPECT_THROW(compressor.Seek(1, soCurrent), ECompressionError);
        EXPECT_THROW(compressor.Seek(0, soBeginning), ECompressionError);
        EXPECT_EQ(20000, compressor.Position());
        EXPECT_GT(compressor.CompressionRate(), 90.0);
    }
    // Bytes after the zlib stream are not part of it.
    packedStream.WriteBuffer("trailing", 8);
    packedStream.SetPosition(0);

    TDecompressionStream decompressor(packedStream);
    EXPECT_THROW(decompressor.Write("a", 1), EDecompressionError);
    std::string out(100, '\0');
    decompressor.ReadBuffer(out.data(), 100);
    EXPECT_EQ(100, decompressor.Seek(0, soCurrent));
    EXPECT_THROW(decompressor.Seek(50, soBeginning), EDecompressionError);
    EXPECT_THROW(decompressor.Seek(-1, soCurrent), EDecompressionError);
    EXPECT_EQ(1000, decompressor.Seek(1000, soBeginning));
    EXPECT_EQ(0, decompressor.Seek(0, soBeginning));
    std::string all(30000, '\0');
    EXPECT_EQ(20000, decompressor.Read(all.data(), 30000));
    EXPECT_TRUE(decompressor.Finished());
    EXPECT_EQ(0, decompressor.Read(all.data(), 10));
}

TEST(SkinZlibStreams, UnpackedSizeIsCapped)
{
    TMemoryStream plain, packedStream, out;
    const std::string text(5000, 'y');
    plain.WriteBuffer(text.data(), std::int64_t(text.size()));
    CompressStream(plain, packedStream);
    EXPECT_THROW(DecompressStream(out, packedStream, 4999), EDecompressionError);
    TMemoryStream whole;
    DecompressStream(whole, packedStream, 5000);
    EXPECT_EQ(5000, whole.Size());
}

} // namespace
} // namespace tovrel::test
