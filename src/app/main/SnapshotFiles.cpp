#include "app/main/SnapshotFiles.h"

#include "app/options/OptionIni.h"
#include "platform/gdi/codecs/BmpCodec.h"
#include "platform/gdi/codecs/GifCodec.h"
#include "platform/gdi/codecs/ImageCodec.h"
#include "platform/gdi/codecs/JpegCodec.h"
#include "platform/gdi/codecs/PngCodec.h"
#include "platform/rtl/Files.h"
#include "platform/rtl/Paths.h"

#include <algorithm>
#include <array>
#include <cctype>

namespace tovrel {

namespace {

constexpr std::string_view kSection = "SnapShot";
constexpr int kJpegQuality = 90;

struct TTypeNames {
    TSnapshotType Type;
    std::string_view Name, Extension;
};
constexpr std::array<TTypeNames, 4> kTypes{{{TSnapshotType::Bmp, "BMP", ".bmp"},
                                            {TSnapshotType::Jpg, "JPG", ".jpg"},
                                            {TSnapshotType::Gif, "GIF", ".gif"},
                                            {TSnapshotType::Png, "PNG", ".png"}}};

const TTypeNames& NamesOf(TSnapshotType type)
{
    return *std::find_if(kTypes.begin(), kTypes.end(), [type](const TTypeNames& t) { return t.Type == type; });
}

std::string Lower(std::string_view text)
{
    std::string lower(text);
    std::transform(lower.begin(), lower.end(), lower.begin(), [](unsigned char c) { return char(std::tolower(c)); });
    return lower;
}

} // namespace

std::string_view SnapshotTypeName(TSnapshotType type)
{
    return NamesOf(type).Name;
}

std::string_view SnapshotExtension(TSnapshotType type)
{
    return NamesOf(type).Extension;
}

std::optional<TSnapshotType> ParseSnapshotType(std::string_view text)
{
    for (const TTypeNames& t : kTypes)
        if (t.Name == text)
            return t.Type;
    return std::nullopt;
}

std::optional<std::string> ResolveSnapshotFolder(TOptionIni& ini)
{
    std::string folder = ini.Read(kSection, "Dir");
    if (IsUnsetOption(folder)) {
        folder = DefaultSnapshotFolder();
        if (!ForceDirectories(folder))
            return std::nullopt;
        ini.Write(kSection, "Dir", folder);
        return folder;
    }
    if (!ForceDirectories(folder))
        return std::nullopt;
    return folder;
}

TSnapshotType ResolveSnapshotType(TOptionIni& ini)
{
    if (const auto type = ParseSnapshotType(ini.Read(kSection, "Picture")))
        return *type;
    ini.Write(kSection, "Picture", SnapshotTypeName(TSnapshotType::Bmp));
    return TSnapshotType::Bmp;
}

std::string NextSnapshotName(const std::string& folder, std::string_view playingFile, TSnapshotType type)
{
    const std::string base = ChangeFileExt(ExtractFileName(playingFile), "");
    const std::string prefix = IncludeTrailingPathDelimiter(folder) + base + "_";
    for (int n = 1;; ++n) {
        std::string name = prefix + std::to_string(n) + std::string(SnapshotExtension(type));
        if (!FileExists(name))
            return name;
    }
}

TSnapshotType SnapshotTypeForName(std::string_view fileName)
{
    const std::string extension = Lower(ExtractFileExt(fileName));
    if (extension == ".jpeg")
        return TSnapshotType::Jpg;
    for (const TTypeNames& t : kTypes)
        if (t.Extension == extension)
            return t.Type;
    return TSnapshotType::Jpg;
}

void WriteSnapshot(const TSurface& picture, const std::string& fileName, TSnapshotType type)
{
    switch (type) {
    case TSnapshotType::Bmp: WriteImageFileBytes(fileName, EncodeBmp(picture)); return;
    case TSnapshotType::Jpg: WriteImageFileBytes(fileName, EncodeJpeg(picture, kJpegQuality)); return;
    case TSnapshotType::Gif: WriteImageFileBytes(fileName, EncodeGif(picture)); return;
    case TSnapshotType::Png: WriteImageFileBytes(fileName, EncodePng(picture, false)); return;
    }
}

} // namespace tovrel
