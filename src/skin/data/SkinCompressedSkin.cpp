#include "skin/data/SkinCompressedSkin.h"

#include <fstream>
#include <iterator>
#include <vector>

#include "platform/rtl/Paths.h"
#include "platform/vcl/Bitmap.h"
#include "platform/vcl/Errors.h"
#include "skin/data/SkinCompressedContent.h"
#include "skin/data/SkinCompressedStreams.h"
#include "skin/data/SkinData.h"

namespace tovrel {
namespace {

std::string ReadFileText(const std::string& fileName)
{
    std::ifstream in(fileName, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::vector<TBitmap*> PicturePointers(const std::vector<std::unique_ptr<TBitmap>>& pictures)
{
    std::vector<TBitmap*> pointers;
    for (const auto& picture : pictures)
        pointers.push_back(picture.get());
    return pointers;
}

} // namespace

TskCompressedStoredSkin::TskCompressedStoredSkin(TComponent* AOwner) : TComponent(AOwner) {}

void TskCompressedStoredSkin::Store(TMemoryStream& content)
{
    FCompressedStream.Clear();
    CompressStream(content, FCompressedStream);
}

void TskCompressedStoredSkin::LoadFromIniFile(const std::string& AFileName)
{
    const std::string text = ReadFileText(AFileName);
    const TskIniFile ini(text);
    if (!CheckSkinFile(ini))
        return;
    FCompressedStream.Clear();
    TskSkinPictureNames names;
    names.LoadFromFile(ini);
    TskSkinContent pictures = ReadSkinFolderPictures(ExtractFilePath(AFileName), names);
    TMemoryStream content;
    WriteSkinContent(content, pictures.Picture.get(), pictures.InActivePicture.get(), pictures.Mask.get(),
                     PicturePointers(pictures.ActivePictures), SkinIniTextFromBytes(text));
    Store(content);
}

void TskCompressedStoredSkin::LoadFromSkinData(TskSkinData* ASkinData)
{
    FCompressedStream.Clear();
    TskIniFile ini;
    ASkinData->SaveToIniFile(ini);
    TMemoryStream content;
    WriteSkinContent(content, ASkinData->FPicture.get(), ASkinData->FInActivePicture.get(), ASkinData->FMask.get(),
                     PicturePointers(ASkinData->FActivePictures), ini.GetText());
    Store(content);
}

void TskCompressedStoredSkin::LoadFromCompressStream(TStream& Stream)
{
    FCompressedStream.Clear();
    Stream.SetPosition(0);
    const std::int32_t version = Stream.ReadValue<std::int32_t>();
    if (version < 0 || version > kSkinStreamVersion)
        return;
    const std::int32_t length = Stream.ReadValue<std::int32_t>();
    if (length < 0 || length > Stream.Size() - Stream.Position())
        throw EReadError("The compressed skin claims " + std::to_string(length) +
                         " bytes of data, which the file does not hold");
    FCompressedStream.CopyFrom(Stream, length);
}

void TskCompressedStoredSkin::LoadFromCompressFile(const std::string& AFileName)
{
    FCompressedStream.Clear();
    TFileStream file(AFileName, fmOpenRead | fmShareDenyWrite);
    LoadFromCompressStream(file);
}

void TskCompressedStoredSkin::SaveToCompressStream(TStream& Stream)
{
    Stream.WriteValue<std::int32_t>(kSkinStreamVersion);
    Stream.WriteValue<std::int32_t>(std::int32_t(FCompressedStream.Size()));
    if (FCompressedStream.Size() > 0)
        Stream.WriteBuffer(FCompressedStream.Memory(), FCompressedStream.Size());
}

void TskCompressedStoredSkin::SaveToCompressFile(const std::string& AFileName)
{
    if (Empty())
        return;
    TFileStream file(AFileName, fmCreate);
    SaveToCompressStream(file);
}

void TskCompressedStoredSkin::DeCompressToStream(TMemoryStream& S)
{
    DecompressStream(S, FCompressedStream, kMaxSkinContentSize);
}

void TskCompressedStoredSkin::Assign(const TPersistent* source)
{
    const auto* other = dynamic_cast<const TskCompressedStoredSkin*>(source);
    if (!other) {
        TComponent::Assign(source);
        return;
    }
    if (other == this)
        return;
    FileName = other->FileName;
    CompressedFileName = other->CompressedFileName;
    Description = other->Description;
    FCompressedStream.Clear();
    const auto& bytes = other->FCompressedStream.Bytes();
    if (!bytes.empty())
        FCompressedStream.WriteBuffer(bytes.data(), std::int64_t(bytes.size()));
}

} // namespace tovrel
