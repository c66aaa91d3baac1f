#include "platform/gdi/FontInstance.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <stdexcept>

namespace tovrel {

namespace {

constexpr int kBoldWeight = 600;
constexpr int kMaxFontHeight = 2048; // pixels; beyond this a request is absurd

int EffectiveWeight(int weight)
{
    return weight <= 0 ? 400 : std::clamp(weight, 1, 1000);
}

// The FreeType library and the instance cache. FreeType objects made from one
// library are not safe to use from two threads at once, so one lock guards all.
class TFontEngine {
public:
    // Never destroyed: objects of other layers may release their fonts while
    // the process exits, after any static engine would already be gone.
    static TFontEngine& Get()
    {
        static TFontEngine* engine = new TFontEngine;
        return *engine;
    }

    std::shared_ptr<TFontInstance> Acquire(const TFontRequest& request)
    {
        std::lock_guard guard(lock_);
        auto& slot = instances_[request];
        if (!slot)
            slot = std::make_shared<TFontInstance>(library_, lock_, request);
        return slot;
    }

private:
    TFontEngine()
    {
        if (FT_Init_FreeType(&library_) != 0)
            throw std::runtime_error("FreeType could not be initialised");
    }

    FT_Library library_ = nullptr;
    std::mutex lock_;
    std::map<TFontRequest, std::shared_ptr<TFontInstance>> instances_;
};

const TGlyph kEmptyGlyph{};

} // namespace

TFontInstance::TFontInstance(FT_Library library, std::mutex& engineLock, const TFontRequest& request)
    : library_(library), lock_(engineLock), request_(request)
{
    request_.Weight = EffectiveWeight(request.Weight);
    request_.Height = std::clamp(request.Height, -kMaxFontHeight, kMaxFontHeight);
    const TFontFileRef file = ResolveFontFile(request_.Family, request_.Weight, request_.Italic);
    int em = kDefaultFontEm;
    if (request_.Height < 0)
        em = -request_.Height;
    else if (request_.Height > 0)
        em = TFontFace::EmForCellHeight(library_, file, request_.Height);
    const bool wantBold = request_.Weight >= kBoldWeight;
    primary_ =
        std::make_unique<TFontFace>(library_, file, em, wantBold && !file.IsBold, request_.Italic && !file.IsItalic);
    ComputeMetrics();
}

void TFontInstance::ComputeMetrics()
{
    const TFaceMetrics& face = primary_->Metrics();
    metrics_.tmAscent = face.Ascent;
    metrics_.tmDescent = face.Descent;
    if (request_.Height > 0) // a cell height is honoured exactly
        metrics_.tmDescent = std::max(0, request_.Height - face.Ascent);
    metrics_.tmHeight = metrics_.tmAscent + metrics_.tmDescent;
    metrics_.tmInternalLeading = std::max(0, metrics_.tmHeight - primary_->PixelsPerEm());
    metrics_.tmExternalLeading = face.LineGap;
    metrics_.tmAveCharWidth = face.AveCharWidth;
    metrics_.tmMaxCharWidth = face.MaxCharWidth;
    metrics_.tmWeight = request_.Weight;
    metrics_.tmItalic = request_.Italic;
    metrics_.tmUnderlined = request_.Underline;
    metrics_.tmStruckOut = request_.StrikeOut;
}

TFontFace* TFontInstance::FaceForLocked(char32_t codepoint)
{
    if (primary_->HasGlyph(codepoint))
        return primary_.get();
    auto known = faceForChar_.find(codepoint);
    if (known != faceForChar_.end())
        return known->second;
    // Faces already opened for other characters usually cover the neighbours
    // too; asking fontconfig for every Chinese character would be slow.
    TFontFace* face = nullptr;
    for (auto& [key, candidate] : fallbackFaces_) {
        if (candidate->HasGlyph(codepoint)) {
            face = candidate.get();
            break;
        }
    }
    if (!face) {
        if (auto file = ResolveFallbackFontFile(request_.Family, request_.Weight, codepoint)) {
            const std::string key = file->Path + '#' + std::to_string(file->Index);
            auto& slot = fallbackFaces_[key];
            if (!slot) {
                const bool wantBold = request_.Weight >= kBoldWeight;
                slot = std::make_unique<TFontFace>(library_, *file, primary_->PixelsPerEm(), wantBold && !file->IsBold,
                                                   request_.Italic && !file->IsItalic);
            }
            if (slot->HasGlyph(codepoint))
                face = slot.get();
        }
    }
    faceForChar_[codepoint] = face;
    return face;
}

const TGlyph& TFontInstance::GlyphLocked(char32_t codepoint)
{
    if (codepoint < 0x20 || codepoint == 0x7F)
        return kEmptyGlyph;
    TFontFace* face = FaceForLocked(codepoint);
    if (!face) // nobody has it: the primary face's missing-glyph box
        return primary_->Glyph(0);
    return face->Glyph(face->GlyphIndex(codepoint));
}

int TFontInstance::Advance(char32_t codepoint)
{
    std::lock_guard guard(lock_);
    return GlyphLocked(codepoint).Advance;
}

int TFontInstance::TextWidth(std::u32string_view text)
{
    std::lock_guard guard(lock_);
    int width = 0;
    for (char32_t cp : text)
        width += GlyphLocked(cp).Advance;
    return width;
}

void TFontInstance::Glyphs(std::u32string_view text, std::vector<const TGlyph*>& out)
{
    std::lock_guard guard(lock_);
    out.clear();
    out.reserve(text.size());
    for (char32_t cp : text)
        out.push_back(&GlyphLocked(cp));
}

std::shared_ptr<TFontInstance> AcquireFont(const TFontRequest& request)
{
    return TFontEngine::Get().Acquire(request);
}

} // namespace tovrel
