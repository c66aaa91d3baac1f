#include "SkinDataTestSkin.h"

#include <atomic>
#include <cstring>
#include <unistd.h>

#include <zlib.h>

#include "platform/vcl/Bitmap.h"
#include "skin/data/SkinButtonEntries.h"
#include "skin/data/SkinCompressedContent.h"
#include "skin/data/SkinCompressedStreams.h"
#include "skin/data/SkinFrameEntries.h"
#include "skin/data/SkinPanelEntries.h"

namespace tovrel::test {
namespace {

// A picture whose pixels encode their position and the seed.
void WritePicture(const std::filesystem::path& file, int width, int height, int seed)
{
    TBitmap bitmap(width, height, TPixelFormat::pf24bit);
    for (int y = 0; y < height; ++y) {
        std::uint8_t* row = bitmap.ScanLine(y);
        for (int x = 0; x < width; ++x) {
            row[x * 3] = std::uint8_t(x * 7 + seed);
            row[x * 3 + 1] = std::uint8_t(y * 11);
            row[x * 3 + 2] = std::uint8_t(x ^ y ^ seed);
        }
    }
    bitmap.SaveToFile(file.string());
}

template <class Entry, class Base> Entry& AddEntry(std::vector<std::unique_ptr<Base>>& list, const std::string& name)
{
    auto entry = std::make_unique<Entry>(name);
    Entry& ref = *entry;
    list.push_back(std::move(entry));
    return ref;
}

void ExpectSamePicture(TBitmap& expected, TBitmap& actual, const std::string& what)
{
    ASSERT_EQ(expected.Width(), actual.Width()) << what;
    ASSERT_EQ(expected.Height(), actual.Height()) << what;
    if (expected.Empty())
        return;
    ASSERT_EQ(expected.PixelFormat(), actual.PixelFormat()) << what;
    const int rowBytes = expected.Width() * (expected.PixelFormat() == TPixelFormat::pf32bit ? 4 : 3);
    for (int y = 0; y < expected.Height(); ++y)
        ASSERT_EQ(0, std::memcmp(expected.ScanLine(y), actual.ScanLine(y), std::size_t(rowBytes)))
            << what << " row " << y;
}

} // namespace

TTempFolder::TTempFolder(const std::string& name)
{
    static std::atomic<int> counter{0};
    path_ = std::filesystem::temp_directory_path() /
            ("tovrel-" + name + "-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
    std::filesystem::remove_all(path_);
    std::filesystem::create_directories(path_);
}

TTempFolder::~TTempFolder()
{
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

std::string WriteTestSkin(const std::filesystem::path& folder, int seed)
{
    WritePicture(folder / "main.bmp", 40, 30, seed);
    WritePicture(folder / "mask.bmp", 40, 30, 99);
    WritePicture(folder / "active0.bmp", 16, 8, seed + 1);
    WritePicture(folder / "active1.bmp", 5, 3, seed + 2);

    TskSkinDescription skin;
    skin.Version.SkinName = "Test skin " + std::to_string(seed);
    skin.Version.SkinAuthor = "Tovrel tests";
    skin.Pictures.PictureName = "main.bmp";
    skin.Pictures.MaskName = "mask.bmp";
    skin.Pictures.ActivePicturesNames = {"active0.bmp", "active1.bmp"};
    skin.FormInfo.LTPoint = {4, 20};
    skin.FormInfo.RTPoint = {36, 20};
    skin.FormInfo.LBPoint = {4, 26};
    skin.FormInfo.RBPoint = {36, 26};
    skin.FormInfo.ClRect = {4, 20, 36, 26};
    skin.FormInfo.BorderW = 4 + seed;
    skin.LayerFrame.PictureIndex = 1;
    AddEntry<TskDataSkinStdButton>(skin.ObjectList, "closebutton").ActivePictureIndex = 0;
    AddEntry<TskDataSkinButtonControl>(skin.CtrlList, "button").SkinRect = {0, 0, 8, 4};
    AddEntry<TskDataSkinPanelControl>(skin.CtrlList, "panel").PictureIndex = 1;
    AddEntry<TskDataSkinPanelControl>(skin.CtrlList, "button").PictureIndex = 0;

    TskIniFile ini;
    skin.SaveToIniFile(ini);
    // A line of a kind this engine does not know, first in the list.
    std::vector<std::string> lines{"mystery:nosuchkind"};
    for (int i = 0; i < int(skin.CtrlList.size()); ++i)
        lines.push_back(ini.ReadString("SKINCONTROLS", std::to_string(i), ""));
    ini.WriteInteger("SKINCONTROLS", "count", int(lines.size()));
    for (int i = 0; i < int(lines.size()); ++i)
        ini.WriteString("SKINCONTROLS", std::to_string(i), lines[std::size_t(i)]);
    const std::string iniFile = (folder / "skin.ini").string();
    ini.SaveToFile(iniFile);
    return iniFile;
}

TBytes ZlibBytes(const TBytes& plain)
{
    uLongf size = compressBound(uLong(plain.size()));
    TBytes packed(size);
    EXPECT_EQ(Z_OK, compress2(packed.data(), &size, plain.data(), uLong(plain.size()), 9));
    packed.resize(size);
    return packed;
}

TBytes UnzlibBytes(const TBytes& packed)
{
    TMemoryStream source, plain;
    source.WriteBuffer(packed.data(), std::int64_t(packed.size()));
    DecompressStream(plain, source, kMaxSkinContentSize);
    return plain.Bytes();
}

TBytes SkinFileBytes(std::int32_t version, const TBytes& zlibData)
{
    TBytes file(8);
    const std::int32_t header[2] = {version, std::int32_t(zlibData.size())};
    std::memcpy(file.data(), header, sizeof header);
    file.insert(file.end(), zlibData.begin(), zlibData.end());
    return file;
}

std::string DescriptionText(TskSkinData& skin)
{
    TskIniFile ini;
    skin.SaveToIniFile(ini);
    return ini.GetText();
}

void ExpectSameSkin(TskSkinData& expected, TskSkinData& actual)
{
    EXPECT_EQ(expected.Empty, actual.Empty);
    ExpectSamePicture(*expected.FPicture, *actual.FPicture, "picture");
    ExpectSamePicture(*expected.FInActivePicture, *actual.FInActivePicture, "inactive picture");
    ExpectSamePicture(*expected.FMask, *actual.FMask, "mask");
    ASSERT_EQ(expected.FActivePictures.size(), actual.FActivePictures.size());
    for (std::size_t i = 0; i < expected.FActivePictures.size(); ++i)
        ExpectSamePicture(*expected.FActivePictures[i], *actual.FActivePictures[i], "active " + std::to_string(i));
    EXPECT_EQ(DescriptionText(expected), DescriptionText(actual));
}

TRecorderForm::TRecorderForm(TComponent* owner, std::string name, TSkinMessageLog& log)
    : TForm(owner), name_(std::move(name)), log_(log)
{}

void TRecorderForm::WndProc(TMessage& message)
{
    switch (message.Msg) {
    case BeforeChangeSkinDataMessage:
    case ChangeSkinDataMessage:
    case AfterChangeSkinDataMessage:
    case ResourceStrDataChangedMessage:
    case SkinnableFormChangedMessage:
    case ShowLayeredBordersChangedMessage: {
        const auto* sender = reinterpret_cast<const TskSkinData*>(message.WParam);
        log_.push_back({name_, message.Msg, message.WParam, message.LParam, sender && sender->Empty});
        break;
    }
    default: break;
    }
    TForm::WndProc(message);
}

std::vector<unsigned> Messages(const TSkinMessageLog& log)
{
    std::vector<unsigned> numbers;
    for (const TSkinMessage& m : log)
        numbers.push_back(m.Msg);
    return numbers;
}

std::vector<std::string> Receivers(const TSkinMessageLog& log)
{
    std::vector<std::string> names;
    for (const TSkinMessage& m : log)
        names.push_back(m.Form);
    return names;
}

} // namespace tovrel::test
