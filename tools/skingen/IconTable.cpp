#include "IconTable.h"

#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "platform/gdi/codecs/ImageCodec.h"
#include "platform/gdi/codecs/PngCodec.h"

namespace tovrel::skingen {
namespace {

std::vector<std::string> SplitTabs(const std::string& line)
{
    std::vector<std::string> fields;
    std::stringstream in(line);
    std::string field;
    while (std::getline(in, field, '\t'))
        fields.push_back(field);
    return fields;
}

} // namespace

std::vector<TIconSpec> LoadIconTable(const std::string& fileName)
{
    std::ifstream in(fileName);
    if (!in)
        throw std::runtime_error(fileName + ": cannot be read");
    std::vector<TIconSpec> icons;
    std::string line;
    bool header = true;
    for (int number = 1; std::getline(in, line); ++number) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.empty() || line[0] == ';')
            continue;
        if (header) {
            header = false;
            continue;
        }
        const auto where = fileName + ":" + std::to_string(number) + ": ";
        const std::vector<std::string> f = SplitTabs(line);
        if (f.size() != 4 || (f[3] != "tile" && f[3] != "bare"))
            throw std::runtime_error(where + "expected index, glyph, colour and tile or bare");
        if (f[0] != std::to_string(icons.size()))
            throw std::runtime_error(where + "index " + f[0] + " out of sequence");
        const std::optional<TRgb> colour = ParseHexColour(f[2]);
        if (!colour)
            throw std::runtime_error(where + "a colour is written #RRGGBB, not " + f[2]);
        icons.push_back(TIconSpec{f[1], *colour, f[3] == "tile"});
    }
    return icons;
}

void WriteIcons(const std::vector<TIconSpec>& icons, int size, const std::string& folder)
{
    std::filesystem::create_directories(folder);
    for (std::size_t i = 0; i < icons.size(); ++i) {
        const auto png = EncodePng(PaintIcon(icons[i], size), true);
        WriteImageFileBytes((std::filesystem::path(folder) / (std::to_string(i) + ".png")).string(), png);
    }
}

} // namespace tovrel::skingen
