// Loading and saving of TskSkinData: INI skin folders, compressed skin files
// and stored skins. Every load reads the whole skin first and only then
// announces and applies it (ApplySkin).
#include <algorithm>

#include "platform/rtl/Paths.h"
#include "platform/vcl/Bitmap.h"
#include "skin/data/SkinCompressedContent.h"
#include "skin/data/SkinCompressedSkin.h"
#include "skin/data/SkinData.h"

namespace tovrel {
namespace {

// Writes a picture under its stored name into the folder. Names are reduced to
// their file part, so a skin cannot make this write outside the folder.
void StorePicture(TBitmap& picture, const std::string& folder, const std::string& name)
{
    const std::string fileName = ExtractFileName(name);
    if (!picture.Empty() && !fileName.empty())
        picture.SaveToFile(folder + fileName);
}

} // namespace

void TskSkinData::LoadFromFile(const std::string& FileName)
{
    TskIniFile ini;
    ini.LoadFromFile(FileName);
    if (!CheckSkinFile(ini))
        return;
    TskSkinDescription description;
    description.LoadFromIniFile(ini);
    TskSkinContent content = ReadSkinFolderPictures(ExtractFilePath(FileName), description.Pictures);
    ApplySkin(content, description);
}

void TskSkinData::LoadCompressedStoredSkin(TskCompressedStoredSkin* AStoredSkin)
{
    if (!AStoredSkin || AStoredSkin->Empty())
        return;
    TMemoryStream data;
    AStoredSkin->DeCompressToStream(data);
    data.SetPosition(0);
    TskSkinContent content;
    if (!ReadSkinContent(data, content))
        return;
    TskSkinDescription description;
    description.LoadFromIniFile(TskIniFile(content.IniText));
    ApplySkin(content, description);
}

void TskSkinData::LoadFromCompressedFile(const std::string& FileName)
{
    TskCompressedStoredSkin stored(nullptr);
    stored.LoadFromCompressFile(FileName);
    if (!stored.Empty())
        LoadCompressedStoredSkin(&stored);
}

void TskSkinData::SaveToCompressedFile(const std::string& FileName)
{
    TskCompressedStoredSkin stored(nullptr);
    stored.LoadFromSkinData(this);
    stored.SaveToCompressFile(FileName);
}

void TskSkinData::SaveToFile(const std::string& FileName)
{
    TskIniFile ini;
    ini.LoadFromFile(FileName);
    SaveToIniFile(ini);
    ini.SaveToFile(FileName);
}

void TskSkinData::StoreToDisk(const std::string& AFileName)
{
    SaveToFile(AFileName);
    const std::string folder = ExtractFilePath(AFileName);
    StorePicture(*FPicture, folder, Pictures.PictureName);
    StorePicture(*FInActivePicture, folder, Pictures.InActivePictureName);
    StorePicture(*FMask, folder, Pictures.MaskName);
    const std::size_t count = std::min(FActivePictures.size(), Pictures.ActivePicturesNames.size());
    for (std::size_t i = 0; i < count; ++i)
        StorePicture(*FActivePictures[i], folder, Pictures.ActivePicturesNames[i]);
}

} // namespace tovrel
