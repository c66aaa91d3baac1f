#pragma once
// What almost every skinned control adds to its base, windowed or not: a
// default font and size for the unskinned look, and a skin image cut out of
// the entry's picture and fitted to the control's size.
#include <memory>

#include "platform/vcl/GraphicsObjects.h"
#include "skin/controls/SkinControlGeometry.h"

namespace tovrel {

template <class Base> class TskSkinCustomized : public Base {
public:
    explicit TskSkinCustomized(TComponent* AOwner);

    int DefaultWidth() const { return FDefaultWidth; }
    // Without an entry a positive value resizes at once.
    void SetDefaultWidth(int Value);
    int DefaultHeight() const { return FDefaultHeight; }
    void SetDefaultHeight(int Value);
    TFont* DefaultFont() const { return FDefaultFont.get(); }
    void SetDefaultFont(const TFont* Value) { FDefaultFont->Assign(Value); }
    bool UseSkinFont = true;

    TRect RealClientRect() const { return G.NewClRect; }
    int RealClientWidth() const { return G.NewClRect.Width(); }
    int RealClientHeight() const { return G.NewClRect.Height(); }
    int RealClientLeft() const { return G.NewClRect.Left; }
    int RealClientTop() const { return G.NewClRect.Top; }
    const TskSkinControlGeometry& Geometry() const { return G; }

    void GetSkinData() override;
    // Looks the entry up again, takes its size (or the default size without
    // one) and repaints.
    void ChangeSkinData() override;
    // A size change with an entry is fitted to it first.
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
    virtual void CalcSize(int& AWidth, int& AHeight) { G.CalcSize(AWidth, AHeight, this->FIndex != -1); }
    TRect ConvertSkinRect(const TRect& R) const { return G.ConvertSkinRect(R, this->Width(), this->Height()); }

protected:
    virtual void DefaultFontChanged() {}
    // Sets or removes the window region; windowed controls only.
    virtual void SetControlRegion() {}
    // After a resize with a stretched skin; windowed controls tell their children.
    virtual void StretchedResize() {}
    void CreateControlDefaultImage(TBitmap& B) override;
    void CreateControlSkinImage(TBitmap& B) override;
    // Nine-slice images are left to PaintsBackgroundDirectly controls' own paint.
    void CreateResizedImage(TBitmap& B, TBitmap* APicture, const TRect& ARect) const
    {
        if (G.ResizeMode == 1 && PaintsBackgroundDirectly())
            return;
        G.CreateResizedImage(B, APicture, ARect, this->Width(), this->Height());
    }
    // True for a windowed control in force-background mode.
    virtual bool PaintsBackgroundDirectly() const { return false; }

    TskSkinControlGeometry G;

private:
    int FDefaultWidth = 0;
    int FDefaultHeight = 0;
    std::unique_ptr<TFont> FDefaultFont;
};

} // namespace tovrel
