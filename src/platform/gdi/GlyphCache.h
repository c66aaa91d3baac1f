#pragma once
// Rendered glyphs of one face at one size and style, kept for the life of the
// face. Entries are never evicted, so references handed out stay valid (the
// map is node-based); a GUI uses a bounded set of characters and sizes.
#include <cstdint>
#include <unordered_map>
#include <vector>

namespace tovrel {

struct TGlyph {
    int Advance = 0; // pen advance in whole pixels
    int Left = 0;    // bitmap offset from the pen position
    int Top = 0;     // bitmap top above the baseline
    int Width = 0;
    int Height = 0;
    std::vector<std::uint8_t> Coverage; // Width*Height grey levels, 0..255, rows top-down
};

class TGlyphCache {
public:
    const TGlyph* Find(std::uint32_t glyphIndex) const
    {
        auto it = glyphs_.find(glyphIndex);
        return it == glyphs_.end() ? nullptr : &it->second;
    }
    const TGlyph& Insert(std::uint32_t glyphIndex, TGlyph glyph)
    {
        return glyphs_.emplace(glyphIndex, std::move(glyph)).first->second;
    }

private:
    std::unordered_map<std::uint32_t, TGlyph> glyphs_;
};

} // namespace tovrel
