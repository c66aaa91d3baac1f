#pragma once
// A multi-line label whose text is a list of lines, with the font and colour
// rules of the skinned standard label.
#include "platform/ctrls/Label.h"
#include "platform/vcl/ComponentRef.h"
#include "platform/vcl/CustomControls.h"
#include "platform/vcl/StringList.h"
#include "skin/controls/SkinLabelFont.h"

#include <memory>

namespace tovrel {

class TskSkinData;

class TskSkinTextLabel : public TGraphicControl {
public:
    explicit TskSkinTextLabel(TComponent* AOwner);

    TskSkinData* SkinData() const { return FSD; }
    void SetSkinData(TskSkinData* Value);
    std::string SkinDataName = "stdlabel";
    bool UseSkinFont = true;
    bool UseSkinColor = true;
    TFont* DefaultFont() const { return FDefaultFont.get(); }
    void SetDefaultFont(const TFont* Value) { FDefaultFont->Assign(Value); }

    // Every change of the lines re-sizes (with AutoSize) and repaints.
    TStrings* Lines() const { return FLines.get(); }
    void SetLines(const TStrings* Value);
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment Value);
    TTextLayout Layout() const { return FLayout; }
    void SetLayout(TTextLayout Value);
    bool WordWrap() const { return FWordWrap; }
    void SetWordWrap(bool Value);
    bool AutoSize() const { return FAutoSize; }
    virtual void SetAutoSize(bool Value);

    void ChangeSkinData();
    // The lines joined, each followed by a line break.
    virtual std::string GetLabelText() const { return FLines->Text(); }

    void WndProc(TMessage& message) override;

protected:
    void Paint() override;
    void Loaded() override;
    void AdjustBounds();

private:
    void DoDrawText(TRect& rect, UINT flags);
    // The text's height in a measured rectangle: the empty line after the
    // last break is not counted.
    int TextHeight(const TRect& measured);
    void LinesChanged();

    TComponentRef<TskSkinData> FSD{*this};
    std::unique_ptr<TFont> FDefaultFont = std::make_unique<TFont>();
    std::unique_ptr<TStringList> FLines = std::make_unique<TStringList>();
    TAlignment FAlignment = taLeftJustify;
    bool FAutoSize = true;
    TTextLayout FLayout = tlTop;
    bool FWordWrap = false;
    TskSkinLabelFont FSkinFont;
    std::unique_ptr<TFont> FDrawFont = std::make_unique<TFont>();
};

} // namespace tovrel
