#pragma once
// What the light skinned controls (labels, bevel) take from their skin entry:
// the shared entry lookup, and for the labels the font copied from a
// "stdlabel" entry and the way they draw text with it.
#include "platform/vcl/GraphicsObjects.h"
#include "platform/vcl/GraphicsTypes.h"
#include "platform/wm/Wm.h"
#include "skin/controls/SkinEntryLookup.h"

#include <string>
#include <string_view>

namespace tovrel {

class TskSkinData;
class TCanvas;

// The font part of a label's skin entry, looked up again before every drawing.
class TskSkinLabelFont {
public:
    int Index = -1;
    std::string FontName;
    TFontStyles FontStyle;
    int FontHeight = 0;
    TColor FontColor = 0;
    TColor ActiveFontColor = 0;

    // Looks the entry up and copies its font; an entry of another kind counts
    // as none (Index -1).
    void GetSkinData(const TskSkinData* skinData, std::string_view name);

    // The font a label draws with: without an entry DefaultFont (or the
    // label's own font), with one the entry's face and colour as the two
    // switches ask; the character set is the skin's string table's, else
    // DefaultFont's.
    void ChooseFont(TFont& target, const TskSkinData* skinData, const TFont& defaultFont, const TFont& ownFont,
                    bool useSkinFont, bool useSkinColor) const;

    // Draws text in rect with font, or with DT_CALCRECT measures it on a
    // screen DC (so an unplaced label can size itself). Disabled text is
    // embossed in the skin's highlight and shadow colours, or the system's
    // without an entry.
    void DrawText(TCanvas& canvas, TFont& font, std::string_view text, TRect& rect, UINT flags, bool enabled,
                  const TskSkinData* skinData) const;
};

} // namespace tovrel
