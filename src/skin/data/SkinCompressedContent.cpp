#include "skin/data/SkinCompressedContent.h"

#include <cstring>
#include <string>

#include "platform/rtl/Text.h"
#include "platform/vcl/Bitmap.h"
#include "platform/vcl/Errors.h"
#include "platform/vcl/Streams.h"
#include "skin/data/SkinDescription.h"

namespace tovrel {
namespace {

constexpr std::uint8_t kPictureFollows = 0;
constexpr std::uint8_t kNoPicture = 1;
// "BM", file size, two reserved words, pixel offset.
constexpr std::int64_t kBmpFileHeaderSize = 14;
// The smallest info header (the 12-byte core header) after the file header.
constexpr std::int64_t kSmallestBmpFile = kBmpFileHeaderSize + 12;

void WritePicture(TStream& stream, TBitmap* picture, bool withFlag)
{
    const bool present = picture && !picture->Empty();
    if (withFlag)
        stream.WriteValue<std::uint8_t>(present ? kPictureFollows : kNoPicture);
    if (present)
        picture->SaveToStream(stream);
}

// The BMP file size its header claims, checked against what the stream holds;
// the stream is left after the 14-byte file header, copied to `header`.
std::int64_t ReadBmpFileHeader(TStream& stream, std::uint8_t (&header)[kBmpFileHeaderSize])
{
    stream.ReadBuffer(header, kBmpFileHeaderSize);
    if (header[0] != 'B' || header[1] != 'M')
        throw EInvalidGraphic("A picture of the compressed skin is not a BMP file");
    const std::int64_t fileSize = std::int64_t(header[2]) | std::int64_t(header[3]) << 8 |
                                  std::int64_t(header[4]) << 16 | std::int64_t(header[5]) << 24;
    if (fileSize < kSmallestBmpFile || fileSize - kBmpFileHeaderSize > stream.Size() - stream.Position())
        throw EReadError("A picture of the compressed skin claims " + std::to_string(fileSize) +
                         " bytes, which the data does not hold");
    return fileSize;
}

// One BMP file, decoded, or (without `decode`) passed over: null then.
std::unique_ptr<TBitmap> ReadOrSkipBmpImage(TStream& stream, bool decode)
{
    if (decode)
        return ReadBmpImage(stream);
    std::uint8_t header[kBmpFileHeaderSize];
    stream.Seek(ReadBmpFileHeader(stream, header) - kBmpFileHeaderSize, soCurrent);
    return nullptr;
}

std::unique_ptr<TBitmap> ReadFlaggedPicture(TStream& stream, bool decode)
{
    if (stream.ReadValue<std::uint8_t>() != kPictureFollows)
        return nullptr;
    return ReadOrSkipBmpImage(stream, decode);
}

std::u16string Utf16FromBytes(std::string_view bytes, bool bigEndian)
{
    std::u16string text;
    text.reserve(bytes.size() / 2);
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
        const auto a = std::uint8_t(bytes[i]), b = std::uint8_t(bytes[i + 1]);
        text.push_back(char16_t(bigEndian ? (a << 8) | b : (b << 8) | a));
    }
    return text;
}

std::unique_ptr<TBitmap> LoadBmpFile(const std::string& fileName)
{
    auto bitmap = std::make_unique<TBitmap>();
    bitmap->LoadFromFile(fileName);
    return bitmap;
}

// The named picture of the folder; null for an empty name.
std::unique_ptr<TBitmap> LoadNamedPicture(const std::string& folder, const std::string& name)
{
    return name.empty() ? nullptr : LoadBmpFile(folder + name);
}

} // namespace

TskSkinContent::TskSkinContent() = default;
TskSkinContent::~TskSkinContent() = default;
TskSkinContent::TskSkinContent(TskSkinContent&&) noexcept = default;
TskSkinContent& TskSkinContent::operator=(TskSkinContent&&) noexcept = default;

void WriteSkinContent(TStream& Stream, TBitmap* Picture, TBitmap* InActivePicture, TBitmap* Mask,
                      std::span<TBitmap* const> ActivePictures, std::string_view IniText)
{
    Stream.WriteValue<std::int32_t>(kSkinStreamVersion);
    WritePicture(Stream, Picture, true);
    WritePicture(Stream, InActivePicture, true);
    WritePicture(Stream, Mask, true);
    Stream.WriteValue<std::int32_t>(std::int32_t(ActivePictures.size()));
    for (TBitmap* picture : ActivePictures) {
        if (!picture || picture->Empty())
            throw EWriteError("An empty active picture cannot be stored in a compressed skin");
        WritePicture(Stream, picture, false);
    }
    Stream.WriteBuffer(IniText.data(), std::int64_t(IniText.size()));
}

std::unique_ptr<TBitmap> ReadBmpImage(TStream& Stream)
{
    std::uint8_t header[kBmpFileHeaderSize];
    const std::int64_t fileSize = ReadBmpFileHeader(Stream, header);
    const std::int64_t rest = fileSize - kBmpFileHeaderSize;
    TMemoryStream file;
    file.SetSize(fileSize);
    std::memcpy(file.Memory(), header, kBmpFileHeaderSize);
    Stream.ReadBuffer(file.Memory() + kBmpFileHeaderSize, rest);
    auto bitmap = std::make_unique<TBitmap>();
    bitmap->LoadFromStream(file);
    return bitmap;
}

namespace {

// ReadSkinContent, with the pictures decoded or only passed over.
bool ReadContent(TStream& Stream, TskSkinContent& Content, bool decode)
{
    Content = TskSkinContent{};
    Content.Version = Stream.ReadValue<std::int32_t>();
    if (Content.Version < 0 || Content.Version > kSkinStreamVersion)
        return false;
    Content.Picture = ReadFlaggedPicture(Stream, decode);
    Content.InActivePicture = ReadFlaggedPicture(Stream, decode);
    Content.Mask = ReadFlaggedPicture(Stream, decode);
    if (Content.Version == 2) {
        ReadFlaggedPicture(Stream, decode);
        ReadFlaggedPicture(Stream, decode);
    }
    const std::int32_t count = Stream.ReadValue<std::int32_t>();
    if (count < 0)
        throw EReadError("The compressed skin claims " + std::to_string(count) + " active pictures");
    for (std::int32_t i = 0; i < count; ++i)
        if (std::unique_ptr<TBitmap> picture = ReadOrSkipBmpImage(Stream, decode))
            Content.ActivePictures.push_back(std::move(picture));
    const std::vector<std::uint8_t> text = Stream.ReadAll();
    Content.IniText = SkinIniTextFromBytes(std::string_view(reinterpret_cast<const char*>(text.data()), text.size()));
    return true;
}

} // namespace

bool ReadSkinContent(TStream& Stream, TskSkinContent& Content)
{
    return ReadContent(Stream, Content, true);
}

bool ReadSkinIniText(TStream& Stream, std::string& IniText)
{
    TskSkinContent content;
    if (!ReadContent(Stream, content, false))
        return false;
    IniText = std::move(content.IniText);
    return true;
}

TskSkinContent ReadSkinFolderPictures(const std::string& Folder, const TskSkinPictureNames& Names)
{
    TskSkinContent content;
    content.Picture = LoadNamedPicture(Folder, Names.PictureName);
    content.InActivePicture = LoadNamedPicture(Folder, Names.InActivePictureName);
    content.Mask = LoadNamedPicture(Folder, Names.MaskName);
    for (const std::string& name : Names.ActivePicturesNames)
        content.ActivePictures.push_back(LoadBmpFile(Folder + name));
    return content;
}

std::string SkinIniTextFromBytes(std::string_view bytes)
{
    if (bytes.starts_with("\xFF\xFE"))
        return Utf16ToUtf8(Utf16FromBytes(bytes.substr(2), false));
    if (bytes.starts_with("\xFE\xFF"))
        return Utf16ToUtf8(Utf16FromBytes(bytes.substr(2), true));
    return std::string(bytes);
}

} // namespace tovrel
