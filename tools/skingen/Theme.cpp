#include "Theme.h"

#include <filesystem>
#include <stdexcept>

#include "skin/data/SkinIniFile.h"
#include "skin/data/SkinValues.h"

namespace tovrel::skingen {
namespace {

class TThemeReader {
public:
    explicit TThemeReader(const std::string& fileName) : fileName_(fileName)
    {
        if (!std::filesystem::exists(fileName))
            throw std::runtime_error(fileName + ": no such theme");
        ini_.LoadFromFile(fileName);
    }

    std::string Text(std::string_view section, std::string_view key) const
    {
        if (!ini_.ValueExists(section, key))
            Fail(section, key, "is missing");
        return ini_.ReadString(section, key, "");
    }
    int Integer(std::string_view section, std::string_view key, int low, int high) const
    {
        const int value = ini_.ReadInteger(section, key, low - 1);
        if (value < low || value > high)
            Fail(section, key, "must be a number from " + std::to_string(low) + " to " + std::to_string(high));
        return value;
    }
    bool Flag(std::string_view section, std::string_view key) const { return Integer(section, key, 0, 1) == 1; }
    TRgb Color(std::string_view key) const
    {
        const std::optional<TRgb> colour = ParseHexColour(Text("palette", key));
        if (!colour)
            Fail("palette", key, "must be #RRGGBB");
        return *colour;
    }
    const TskIniFile& Ini() const { return ini_; }

private:
    [[noreturn]] void Fail(std::string_view section, std::string_view key, const std::string& what) const
    {
        throw std::runtime_error(fileName_ + ": [" + std::string(section) + "] " + std::string(key) + " " + what);
    }
    std::string fileName_;
    TskIniFile ini_;
};

TFillStyle ReadFillStyle(const TThemeReader& reader)
{
    const std::string word = reader.Text("shape", "fill");
    if (word == "flat")
        return TFillStyle::Flat;
    if (word == "vertical")
        return TFillStyle::Vertical;
    if (word == "glossy")
        return TFillStyle::Glossy;
    throw std::runtime_error("[shape] fill must be flat, vertical or glossy, not " + word);
}

} // namespace

TTheme LoadTheme(const std::string& fileName)
{
    const TThemeReader r(fileName);
    TTheme t;
    t.Name = r.Text("theme", "name");
    t.Comments = r.Text("theme", "comments");
    const std::string role = r.Text("theme", "role");
    if (role != "user" && role != "tools")
        throw std::runtime_error(fileName + ": [theme] role must be user or tools");
    t.Tools = role == "tools";
    for (char c : t.Name + t.Comments)
        if (static_cast<unsigned char>(c) >= 0x80)
            throw std::runtime_error(fileName + ": skin descriptions are written in ASCII");

    t.Face = r.Color("face");
    t.FaceHot = r.Color("facehot");
    t.FaceDown = r.Color("facedown");
    t.Border = r.Color("border");
    t.BorderHot = r.Color("borderhot");
    t.Text = r.Color("text");
    t.TextHot = r.Color("texthot");
    t.TextDisabled = r.Color("textdisabled");
    t.Window = r.Color("window");
    t.WindowText = r.Color("windowtext");
    t.Highlight = r.Color("highlight");
    t.HighlightText = r.Color("highlighttext");
    t.CaptionTop = r.Color("captiontop");
    t.CaptionBottom = r.Color("captionbottom");
    t.CaptionText = r.Color("captiontext");
    t.Frame = r.Color("frame");
    t.Accent = r.Color("accent");

    t.Fill = ReadFillStyle(r);
    t.Radius = r.Integer("shape", "radius", 0, 8);
    t.BorderWidth = r.Integer("shape", "borderwidth", 1, 2);
    t.FrameWidth = r.Integer("shape", "framewidth", 2, 8);
    t.CaptionHeight = r.Integer("shape", "captionheight", 22, 36);
    const std::string edges = r.Text("shape", "edges");
    if (edges != "stretch" && edges != "tile")
        throw std::runtime_error(fileName + ": [shape] edges must be stretch or tile, not " + edges);
    t.Tile = edges == "tile";
    t.FontName = r.Text("font", "name");
    t.FontHeight = r.Integer("font", "height", 11, 16);
    t.Glow = r.Flag("options", "glow");
    t.Morphing = r.Flag("options", "morphing");
    t.MorphKind = ReadMorphKind(r.Ini(), "options", "morphkind");
    t.LayeredFrame = r.Flag("options", "layeredframe");
    return t;
}

} // namespace tovrel::skingen
