#include "platform/gdi/FontFace.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H
#include FT_TRUETYPE_TABLES_H

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <stdexcept>

namespace tovrel {

namespace {

FT_Face OpenFace(FT_Library library, const TFontFileRef& file)
{
    FT_Face face = nullptr;
    if (FT_New_Face(library, file.Path.c_str(), file.Index, &face) != 0 || !face)
        throw std::runtime_error("cannot open font file \"" + file.Path + "\"");
    if (!FT_IS_SCALABLE(face)) {
        FT_Done_Face(face);
        throw std::runtime_error("font file \"" + file.Path + "\" is not scalable");
    }
    FT_Select_Charmap(face, FT_ENCODING_UNICODE);
    return face;
}

// The ascent and descent in font units that size the line cell, as the
// Windows metrics of the OS/2 table give them when present.
void CellUnits(FT_Face face, int& ascent, int& descent)
{
    const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
    if (os2 && os2->version != 0xFFFF && os2->usWinAscent + os2->usWinDescent > 0) {
        ascent = os2->usWinAscent;
        descent = os2->usWinDescent;
    } else {
        ascent = face->ascender;
        descent = -face->descender;
    }
    if (ascent + descent <= 0) {
        ascent = face->units_per_EM;
        descent = 0;
    }
}

constexpr FT_Int32 kLoadFlags = FT_LOAD_NO_BITMAP | FT_LOAD_TARGET_LIGHT;

} // namespace

TFontFace::TFontFace(FT_Library library, const TFontFileRef& file, int pixelsPerEm, bool embolden, bool slant)
    : face_(OpenFace(library, file)), pixelsPerEm_(std::clamp(pixelsPerEm, 1, 2048)), embolden_(embolden), slant_(slant)
{
    if (FT_Set_Pixel_Sizes(face_, 0, FT_UInt(pixelsPerEm_)) != 0) {
        FT_Done_Face(face_);
        throw std::runtime_error("cannot size font \"" + file.Path + "\"");
    }
    ComputeMetrics();
}

TFontFace::~TFontFace()
{
    FT_Done_Face(face_);
}

int TFontFace::EmForCellHeight(FT_Library library, const TFontFileRef& file, int cellHeight)
{
    FT_Face face = OpenFace(library, file);
    int ascent = 0;
    int descent = 0;
    CellUnits(face, ascent, descent);
    const double em = double(cellHeight) * face->units_per_EM / double(ascent + descent);
    FT_Done_Face(face);
    return std::max(1, int(std::lround(em)));
}

bool TFontFace::HasGlyph(char32_t codepoint) const
{
    return GlyphIndex(codepoint) != 0;
}

std::uint32_t TFontFace::GlyphIndex(char32_t codepoint) const
{
    return FT_Get_Char_Index(face_, FT_ULong(codepoint));
}

const TGlyph& TFontFace::Glyph(std::uint32_t glyphIndex)
{
    if (const TGlyph* cached = cache_.Find(glyphIndex))
        return *cached;
    return cache_.Insert(glyphIndex, Render(glyphIndex));
}

TGlyph TFontFace::Render(std::uint32_t glyphIndex)
{
    TGlyph glyph;
    if (FT_Load_Glyph(face_, glyphIndex, kLoadFlags) != 0)
        return glyph; // a broken glyph draws as nothing rather than failing the text
    FT_GlyphSlot slot = face_->glyph;
    glyph.Advance = int((slot->advance.x + 32) >> 6);
    if (slot->format == FT_GLYPH_FORMAT_OUTLINE) {
        if (slant_) {
            FT_Matrix shear{0x10000, 0x3333, 0, 0x10000}; // x += 0.2 y
            FT_Outline_Transform(&slot->outline, &shear);
        }
        if (embolden_) {
            const FT_Pos strength = std::max<FT_Pos>(64, FT_Pos(pixelsPerEm_) * 64 / 24);
            FT_Outline_Embolden(&slot->outline, strength);
            glyph.Advance += int((strength + 32) >> 6);
        }
    }
    if (FT_Render_Glyph(slot, FT_RENDER_MODE_NORMAL) != 0)
        return glyph;
    const FT_Bitmap& bitmap = slot->bitmap;
    glyph.Left = slot->bitmap_left;
    glyph.Top = slot->bitmap_top;
    glyph.Width = int(bitmap.width);
    glyph.Height = int(bitmap.rows);
    glyph.Coverage.assign(std::size_t(glyph.Width) * std::size_t(glyph.Height), 0);
    const int pitch = std::abs(bitmap.pitch);
    for (int y = 0; y < glyph.Height; ++y) {
        const int sourceRow = bitmap.pitch >= 0 ? y : glyph.Height - 1 - y;
        const unsigned char* src = bitmap.buffer + std::size_t(sourceRow) * std::size_t(pitch);
        std::uint8_t* dst = glyph.Coverage.data() + std::size_t(y) * std::size_t(glyph.Width);
        for (int x = 0; x < glyph.Width; ++x) {
            if (bitmap.pixel_mode == FT_PIXEL_MODE_MONO)
                dst[x] = (src[x >> 3] & (0x80 >> (x & 7))) ? 255 : 0;
            else
                dst[x] = src[x];
        }
    }
    return glyph;
}

void TFontFace::ComputeMetrics()
{
    const double scale = double(pixelsPerEm_) / double(face_->units_per_EM);
    auto px = [scale](double units) { return int(std::lround(units * scale)); };
    int ascent = 0;
    int descent = 0;
    CellUnits(face_, ascent, descent);
    metrics_.Ascent = px(ascent);
    metrics_.Descent = px(descent);
    const int lineGap = std::max(0, face_->height - (face_->ascender - face_->descender));
    metrics_.LineGap = px(lineGap);
    metrics_.MaxCharWidth = std::max(1, px(face_->max_advance_width));
    const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face_, FT_SFNT_OS2));
    if (os2 && os2->version != 0xFFFF && os2->xAvgCharWidth > 0)
        metrics_.AveCharWidth = std::max(1, px(os2->xAvgCharWidth));
    else
        metrics_.AveCharWidth = std::max(1, metrics_.MaxCharWidth / 2);
    metrics_.UnderlinePosition = std::max(1, px(-face_->underline_position));
    metrics_.UnderlineThickness = std::max(1, px(face_->underline_thickness));
    if (os2 && os2->version != 0xFFFF && os2->yStrikeoutSize > 0) {
        metrics_.StrikeoutPosition = px(os2->yStrikeoutPosition);
        metrics_.StrikeoutThickness = std::max(1, px(os2->yStrikeoutSize));
    } else {
        metrics_.StrikeoutPosition = metrics_.Ascent / 3;
        metrics_.StrikeoutThickness = metrics_.UnderlineThickness;
    }
    if (embolden_)
        metrics_.AveCharWidth += 1;
}

} // namespace tovrel
