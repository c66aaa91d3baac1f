#pragma once
// What the push button and the speed buttons share of a button's look: the
// values copied from a button entry (with their fallbacks), the default look
// of pressable elements, the caption's font and colour for a state, and the
// glyph of a state in a glyph strip.
#include <string>

#include "platform/gdi/GdiTypes.h"
#include "platform/vcl/GraphicsObjects.h"

namespace tovrel {

class TCanvas;
class TskDataSkinButtonControl;
class TskSkinData;
enum class TskMorphKind : std::uint8_t;

// Default look of pressable elements without a skin.
constexpr TColor kPressableHotFrame = 0x800000, kPressableHotFill = 0xD2BDB6, kPressableDownFill = 0xB59385;

// Fills r and frames it with one pixel.
void FillFramed(TCanvas& canvas, const TRect& r, TColor frame, TColor fill);

// The default faces of a pressable element: framed face, hot, pressed, and
// the frameless face of a flat button.
enum class TskPressableFace : std::uint8_t { Normal, Hot, Down, Flat };
void FillPressableFace(TCanvas& canvas, const TRect& r, TskPressableFace face);

struct TskButtonEntryLook {
    std::string FontName;
    TFontStyles FontStyle;
    int FontHeight = 0;
    TColor FontColor = 0, ActiveFontColor = 0, DownFontColor = 0, DisabledFontColor = 0;
    TRect ActiveSkinRect, DownSkinRect, DisabledSkinRect;
    bool FMorphingEntry = false;
    TskMorphKind MorphKind{};
    TRect AnimateSkinRect;
    int FrameCount = 0;
    int AnimateInterval = 0;

    // An empty hot picture falls back to the normal one, an empty pressed one
    // to the hot one; a disabled colour equal to the normal one becomes grey.
    void ReadButtonEntry(const TskDataSkinButtonControl& entry);
    // The caption colour of a state: the default font's colour when the skin's
    // colours are not used, else disabled, pressed, hot or normal.
    TColor StateFontColor(bool enabled, bool useSkinFontColor, TColor defaultColor, bool down, bool mouseIn) const;
    // The entry's font (when useEntryFont) or defaultFont, in the skin's charset.
    void SetCaptionFont(TCanvas& canvas, const TFont* defaultFont, bool useEntryFont, TskSkinData* skin) const;
};

// After `self` went down in its group: the other buttons of its kind on the
// same parent in that group that are down go up, in the parent's order.
template <class B> void RaiseGroupSiblings(B& self)
{
    if (self.Parent() == nullptr)
        return;
    for (int i = 0; i < self.Parent()->ControlCount(); ++i) {
        auto* other = dynamic_cast<B*>(self.Parent()->Controls(i));
        if (other != nullptr && other != &self && other->GroupIndex() == self.GroupIndex() && other->Down())
            other->SetDown(false);
    }
}

// The picture of a glyph strip of numGlyphs: 3 pressed, 4 hot, 2 disabled, 1 normal.
int ButtonGlyphNum(bool down, bool mouseIn, bool enabled, int numGlyphs);

} // namespace tovrel
