#pragma once
// A font as text drawing uses it: a family resolved to a primary face at the
// requested height, weight and slant, plus fallback faces picked per character
// when the primary lacks a glyph (Chinese text in "Tahoma", for example).
//
// Thread-safe: every member that touches FreeType takes the engine's lock.
// Glyph pointers stay valid for the life of the instance.
#include "platform/gdi/FontFace.h"
#include "platform/gdi/TextLayout.h"
#include "platform/gdi/TextMetric.h"

#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

namespace tovrel {

// What a LOGFONT asks for. Height: negative = character (em) height in
// pixels, positive = cell height (ascent + descent), 0 = the default.
struct TFontRequest {
    std::string Family;
    int Height = 0;
    int Weight = 400; // 0 counts as 400
    bool Italic = false;
    bool Underline = false;
    bool StrikeOut = false;
    friend auto operator<=>(const TFontRequest&, const TFontRequest&) = default;
};

// Character height used for a request of height 0.
constexpr int kDefaultFontEm = 12;

class TFontInstance {
public:
    TFontInstance(FT_Library library, std::mutex& engineLock, const TFontRequest& request);
    TFontInstance(const TFontInstance&) = delete;
    TFontInstance& operator=(const TFontInstance&) = delete;

    const TFontRequest& Request() const { return request_; }
    const TEXTMETRIC& Metrics() const { return metrics_; }
    // Underline and strikeout geometry of the primary face.
    const TFaceMetrics& FaceMetrics() const { return primary_->Metrics(); }

    int Advance(char32_t codepoint);
    int TextWidth(std::u32string_view text);
    // One glyph per character of `text`, in order (control characters give an empty glyph).
    void Glyphs(std::u32string_view text, std::vector<const TGlyph*>& out);

private:
    const TGlyph& GlyphLocked(char32_t codepoint);
    TFontFace* FaceForLocked(char32_t codepoint);
    void ComputeMetrics();

    FT_Library library_;
    std::mutex& lock_;
    TFontRequest request_;
    std::unique_ptr<TFontFace> primary_;
    std::map<std::string, std::unique_ptr<TFontFace>> fallbackFaces_; // by file and index
    std::map<char32_t, TFontFace*> faceForChar_;                      // resolved fallbacks (null = none)
    TEXTMETRIC metrics_;
};

// Returns the shared instance for a request, creating it on first use.
// Throws std::runtime_error when no font is installed at all.
std::shared_ptr<TFontInstance> AcquireFont(const TFontRequest& request);

} // namespace tovrel

namespace tovrel {

// Measures layout text with a font instance.
class TFontMeasurer : public ITextMeasurer {
public:
    explicit TFontMeasurer(TFontInstance& font) : font_(font) {}
    int CharWidth(char32_t codepoint) override { return font_.Advance(codepoint); }
    int LineHeight() override { return font_.Metrics().tmHeight; }
    int ExternalLeading() override { return font_.Metrics().tmExternalLeading; }
    int AveCharWidth() override { return font_.Metrics().tmAveCharWidth; }

private:
    TFontInstance& font_;
};

} // namespace tovrel
