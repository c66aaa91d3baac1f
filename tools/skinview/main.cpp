// skinview: one PNG contact sheet per stored skin, and one of the image lists' pictures.
//
//   skinview <output folder>
#include <algorithm>
#include <filesystem>
#include <iostream>

#include "ContactSheet.h"
#include "IconSheet.h"
#include "platform/gdi/codecs/ImageCodec.h"
#include "platform/gdi/codecs/PngCodec.h"
#include "platform/vcl/Streams.h"
#include "skin/data/SkinCompressedSkin.h"
#include "skin/data/SkinData.h"
#include "skin/stored/StoredSkins.h"

int main(int argc, char** argv)
{
    using namespace tovrel;
    if (argc != 2) {
        std::cerr << "usage: skinview <output folder>\n";
        return 2;
    }
    try {
        std::filesystem::create_directories(argv[1]);
        for (const TStoredSkinFile& file : StoredSkinFiles()) {
            TMemoryStream bytes;
            bytes.WriteBuffer(file.Bytes.data(), std::int64_t(file.Bytes.size()));
            TskCompressedStoredSkin stored(nullptr);
            stored.LoadFromCompressStream(bytes);
            TskSkinData data(nullptr);
            data.LoadCompressedStoredSkin(&stored);
            const TSurface sheet = RenderContactSheet(data);
            std::string name(file.FileName);
            std::replace(name.begin(), name.end(), '/', '-');
            const auto png = EncodePng(sheet, false);
            WriteImageFileBytes((std::filesystem::path(argv[1]) / (name + ".png")).string(), png);
        }
        WriteImageFileBytes((std::filesystem::path(argv[1]) / "icons.png").string(),
                            EncodePng(RenderIconSheet(), false));
    } catch (const std::exception& e) {
        std::cerr << "skinview: " << e.what() << "\n";
        return 1;
    }
    return 0;
}
