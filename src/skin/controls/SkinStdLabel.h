#pragma once
// A standard label that takes its font and colour from the skin entry
// "stdlabel" and otherwise draws as the framework label does.
#include "platform/ctrls/Label.h"
#include "platform/vcl/ComponentRef.h"
#include "skin/controls/SkinLabelFont.h"

#include <memory>

namespace tovrel {

class TskSkinData;

enum TskEllipsType : std::uint8_t { sketNone, sketEndEllips, sketPathEllips };

class TskSkinStdLabel : public TCustomLabel {
public:
    explicit TskSkinStdLabel(TComponent* AOwner);

    TskSkinData* SkinData() const { return FSD; }
    // Stores; a skin data runs ChangeSkinData.
    void SetSkinData(TskSkinData* Value);
    std::string SkinDataName = "stdlabel";
    bool UseSkinFont = true;
    bool UseSkinColor = true;
    TFont* DefaultFont() const { return FDefaultFont.get(); }
    // Copies the font; no repaint.
    void SetDefaultFont(const TFont* Value) { FDefaultFont->Assign(Value); }
    TskEllipsType EllipsType() const { return FEllipsType; }
    void SetEllipsType(TskEllipsType Value);

    // Looks the entry up again, re-sizes to the text when AutoSize, repaints.
    void ChangeSkinData();
    // Paints AText in place of the caption into C at (X, Y).
    void PaintSkinTo(TCanvas& C, int X, int Y, const std::string& AText);

    const TskSkinLabelFont& SkinFont() const { return FSkinFont; }

protected:
    void DoDrawText(TRect& rect, UINT flags) override;

private:
    void DrawLabelText(TCanvas& canvas, std::string text, TRect& rect, UINT flags);

    TskEllipsType FEllipsType = sketNone;
    TComponentRef<TskSkinData> FSD{*this};
    std::unique_ptr<TFont> FDefaultFont = std::make_unique<TFont>();
    TskSkinLabelFont FSkinFont;
    std::unique_ptr<TFont> FDrawFont = std::make_unique<TFont>();
};

} // namespace tovrel
