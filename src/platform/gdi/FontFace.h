#pragma once
// One FreeType face opened at one pixel size with its synthetic styles, plus
// the cache of the glyphs rendered from it. Not thread-safe: the font engine
// serialises every use.
#include "platform/gdi/FontResolver.h"
#include "platform/gdi/GlyphCache.h"

#include <cstdint>

typedef struct FT_LibraryRec_* FT_Library;
typedef struct FT_FaceRec_* FT_Face;

namespace tovrel {

// Vertical metrics of a face in pixels, before any rounding to a line cell.
struct TFaceMetrics {
    int Ascent = 0;
    int Descent = 0;
    int LineGap = 0; // external leading
    int AveCharWidth = 0;
    int MaxCharWidth = 0;
    int UnderlinePosition = 0; // pixels below the baseline (positive = down)
    int UnderlineThickness = 1;
    int StrikeoutPosition = 0; // pixels above the baseline
    int StrikeoutThickness = 1;
};

class TFontFace {
public:
    // `pixelsPerEm` is the character height; `embolden` and `slant` ask for
    // synthetic bold and italic when the file itself lacks them.
    TFontFace(FT_Library library, const TFontFileRef& file, int pixelsPerEm, bool embolden, bool slant);
    ~TFontFace();
    TFontFace(const TFontFace&) = delete;
    TFontFace& operator=(const TFontFace&) = delete;

    // Pixels per em that make the face's ascent plus descent fill `cellHeight`.
    static int EmForCellHeight(FT_Library library, const TFontFileRef& file, int cellHeight);

    bool HasGlyph(char32_t codepoint) const;
    std::uint32_t GlyphIndex(char32_t codepoint) const;
    const TGlyph& Glyph(std::uint32_t glyphIndex);
    const TFaceMetrics& Metrics() const { return metrics_; }
    int PixelsPerEm() const { return pixelsPerEm_; }

private:
    TGlyph Render(std::uint32_t glyphIndex);
    void ComputeMetrics();

    FT_Face face_ = nullptr;
    int pixelsPerEm_ = 0;
    bool embolden_ = false;
    bool slant_ = false;
    TFaceMetrics metrics_;
    TGlyphCache cache_;
};

} // namespace tovrel
