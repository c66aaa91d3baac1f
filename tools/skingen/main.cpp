// skingen: draws one stored skin from a theme description, checks it and
// writes it as a compressed skin file.
//
//   skingen <theme file> <output .skn> [--review <folder>]
//   skingen --icons <icon table> <size> <output folder>
//
// --review also writes the skin as an INI folder with its BMP pictures.
// --icons draws the pictures of one image list as <index>.png files.
#include <filesystem>
#include <fstream>
#include <iostream>

#include "Composition.h"
#include "IconTable.h"
#include "platform/vcl/Streams.h"
#include "skin/data/SkinCompressedSkin.h"
#include "skin/data/SkinData.h"
#include "skin/stored/SkinValidation.h"

namespace {

int Run(int argc, char** argv)
{
    using namespace tovrel;
    if (argc == 5 && std::string(argv[1]) == "--icons") {
        const int size = std::stoi(argv[3]);
        if (size < 8 || size > 256)
            throw std::invalid_argument("an icon size runs from 8 to 256");
        skingen::WriteIcons(skingen::LoadIconTable(argv[2]), size, argv[4]);
        return 0;
    }
    if (argc != 3 && !(argc == 5 && std::string(argv[3]) == "--review")) {
        std::cerr << "usage: skingen <theme file> <output .skn> [--review <folder>]\n"
                     "       skingen --icons <icon table> <size> <output folder>\n";
        return 2;
    }
    const skingen::TTheme theme = skingen::LoadTheme(argv[1]);
    TskSkinData data(nullptr);
    skingen::Compose(theme, data);

    TskCompressedStoredSkin stored(nullptr);
    stored.LoadFromSkinData(&data);
    TMemoryStream file;
    stored.SaveToCompressStream(file);
    const std::string bytes(reinterpret_cast<const char*>(file.Bytes().data()), file.Bytes().size());

    const auto problems = ValidateCompressedSkin(bytes, theme.Tools ? TStoredSkinRole::Tools : TStoredSkinRole::User);
    for (const std::string& problem : problems)
        std::cerr << argv[1] << ": " << problem << "\n";
    if (!problems.empty())
        return 1;

    const std::filesystem::path output(argv[2]);
    if (output.has_parent_path())
        std::filesystem::create_directories(output.parent_path());
    std::ofstream out(output, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), std::streamsize(bytes.size()));
    if (!out.flush()) {
        std::cerr << "skingen: cannot write " << output << "\n";
        return 1;
    }
    if (argc == 5) {
        std::filesystem::create_directories(argv[4]);
        data.StoreToDisk((std::filesystem::path(argv[4]) / "skin.ini").string());
    }
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    try {
        return Run(argc, argv);
    } catch (const std::exception& e) {
        std::cerr << "skingen: " << e.what() << "\n";
        return 1;
    }
}
