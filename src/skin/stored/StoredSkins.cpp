#include "skin/stored/StoredSkins.h"

#include "embedded/stored_skins.h"
#include "platform/vcl/Streams.h"
#include "skin/data/SkinCompressedContent.h"
#include "skin/data/SkinCompressedSkin.h"
#include "skin/data/SkinCompressedSkinList.h"
#include "skin/data/SkinData.h"
#include "skin/data/SkinDescription.h"
#include "skin/stored/StoredStrings.h"

namespace tovrel {
namespace {

TStoredSkinRole RoleOf(std::string_view fileName)
{
    return fileName.starts_with("tools/") ? TStoredSkinRole::Tools : TStoredSkinRole::User;
}

TskSkinVersionInfo VersionOf(TskCompressedStoredSkin& stored)
{
    TMemoryStream unpacked;
    stored.DeCompressToStream(unpacked);
    unpacked.SetPosition(0);
    // Only the text: decoding every stored skin's pictures for its name
    // would cost the program's start a third of its time.
    std::string iniText;
    TskSkinVersionInfo version;
    if (ReadSkinIniText(unpacked, iniText))
        version.LoadFromFile(TskIniFile(iniText));
    return version;
}

} // namespace

std::vector<TStoredSkinFile> StoredSkinFiles()
{
    std::vector<TStoredSkinFile> files;
    for (std::string_view name : embedded::stored_skins::Names())
        files.push_back({name, RoleOf(name), *embedded::stored_skins::Find(name)});
    return files;
}

std::vector<TStoredSkinFile> StoredSkinFiles(TStoredSkinRole role)
{
    std::vector<TStoredSkinFile> files;
    for (const TStoredSkinFile& file : StoredSkinFiles())
        if (file.Role == role)
            files.push_back(file);
    return files;
}

void AddStoredSkins(TskCompressedSkinList& list, TStoredSkinRole role)
{
    for (const TStoredSkinFile& file : StoredSkinFiles(role)) {
        TMemoryStream bytes;
        bytes.WriteBuffer(file.Bytes.data(), std::int64_t(file.Bytes.size()));
        TskSkinListItem* item = list.Skins()->Add();
        item->Skin()->LoadFromCompressStream(bytes);
        const std::string_view base = file.FileName.substr(file.FileName.rfind('/') + 1);
        item->CompressedFileName = std::string(base);
        item->Skin()->CompressedFileName = item->CompressedFileName;
        const TskSkinVersionInfo version = VersionOf(*item->Skin());
        item->Name = version.SkinName;
        item->Description = version.SkinComments;
        item->Skin()->Description = version.SkinComments;
    }
}

std::unique_ptr<TskSkinData> LoadStoredSkin(const TStoredSkinFile& file)
{
    TMemoryStream bytes;
    bytes.WriteBuffer(file.Bytes.data(), std::int64_t(file.Bytes.size()));
    TskCompressedStoredSkin stored(nullptr);
    stored.LoadFromCompressStream(bytes);
    auto data = std::make_unique<TskSkinData>(nullptr);
    data->LoadCompressedStoredSkin(&stored);
    data->SetResourceStrData(&StoredStringTable());
    return data;
}

} // namespace tovrel
