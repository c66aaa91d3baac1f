#pragma once
// A label standing for a web or mail address: underlined caption, hover
// colour or a glow while the pointer is over it, the hand cursor, and a click
// that opens URL through the shell launcher (xdg-open run directly, never a
// shell). Font and colours come from the skin's label entry ("stdlabel").
#include "platform/ctrls/Label.h"
#include "platform/vcl/ComponentRef.h"
#include "skin/controls/SkinLabelFont.h"
#include "skin/data/SkinData.h"

#include <memory>
#include <string>

namespace tovrel {

class TskSkinLinkLabel : public TCustomLabel {
public:
    explicit TskSkinLinkLabel(TComponent* AOwner);

    TskSkinData* SkinData() const { return FSD; }
    // Stores; a skin data runs ChangeSkinData.
    void SetSkinData(TskSkinData* Value);
    std::string SkinDataName = "stdlabel";
    bool UseSkinFont = true;
    // Draws a glow round the hovered text; the text sits GlowSize lower at all times.
    bool GlowEffect = false;
    int GlowSize = 7;
    TColor DefaultActiveFontColor = clBlue;
    std::string URL;
    bool UseUnderLine() const { return FUseUnderLine; }
    void SetUseUnderLine(bool Value);
    TFont* DefaultFont() const { return FDefaultFont.get(); }
    void SetDefaultFont(const TFont* Value) { FDefaultFont->Assign(Value); }
    bool MouseIn() const { return FMouseIn; }

    void ChangeSkinData();
    // The font the caption is drawn with at the last paint (for tests).
    const TFont& DrawFont() const { return *FDrawFont; }

    void Click() override;

protected:
    void DoDrawText(TRect& rect, UINT flags) override;
    void WndProc(TMessage& message) override;

private:
    TComponentRef<TskSkinData> FSD{*this};
    std::unique_ptr<TFont> FDefaultFont = std::make_unique<TFont>();
    std::unique_ptr<TFont> FDrawFont = std::make_unique<TFont>();
    TskSkinLabelFont FSkinFont;
    bool FUseUnderLine = true;
    bool FMouseIn = false;
};

} // namespace tovrel
