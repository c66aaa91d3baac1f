#include "skin/controls/SkinCustomized.h"

#include "platform/gdi/SysColors.h"
#include "skin/controls/GraphicSkinControl.h"
#include "skin/controls/SkinControl.h"
#include "skin/controls/SkinToolBar.h"

namespace tovrel {

template <class Base>
TskSkinCustomized<Base>::TskSkinCustomized(TComponent* AOwner) : Base(AOwner), FDefaultFont(std::make_unique<TFont>())
{
    FDefaultFont->SetName("Arial");
    FDefaultFont->SetHeight(14);
    FDefaultFont->OnChange = [this](TObject*) {
        DefaultFontChanged();
        if (this->FIndex == -1)
            this->Repaint();
    };
}

template <class Base> void TskSkinCustomized<Base>::SetDefaultWidth(int Value)
{
    FDefaultWidth = Value;
    if (this->FIndex == -1 && Value > 0)
        this->SetBounds(this->Left(), this->Top(), Value, this->Height());
}

template <class Base> void TskSkinCustomized<Base>::SetDefaultHeight(int Value)
{
    FDefaultHeight = Value;
    if (this->FIndex == -1 && Value > 0)
        this->SetBounds(this->Left(), this->Top(), this->Width(), Value);
}

template <class Base> void TskSkinCustomized<Base>::GetSkinData()
{
    Base::GetSkinData();
    if (this->FIndex != -1)
        G.CopyEntry(*this->SkinData(), this->FIndex);
}

template <class Base> void TskSkinCustomized<Base>::ChangeSkinData()
{
    GetSkinData();
    const int oldWidth = this->Width(), oldHeight = this->Height();
    if (this->FIndex == -1) {
        if (FDefaultWidth > 0)
            this->SetBounds(this->Left(), this->Top(), FDefaultWidth, this->Height());
        if (FDefaultHeight > 0)
            this->SetBounds(this->Left(), this->Top(), this->Width(), FDefaultHeight);
    } else {
        int w = oldWidth, h = oldHeight;
        CalcSize(w, h);
        if (w != oldWidth)
            this->SetBounds(this->Left(), this->Top(), w, this->Height());
        if (h != oldHeight)
            this->SetBounds(this->Left(), this->Top(), this->Width(), h);
    }
    if (this->FIndex == -1 || (this->Width() == oldWidth && this->Height() == oldHeight)) {
        SetControlRegion();
        this->Repaint();
    }
}

template <class Base> void TskSkinCustomized<Base>::SetBounds(int ALeft, int ATop, int AWidth, int AHeight)
{
    GetSkinData();
    const bool resized = (AWidth != this->Width() || AHeight != this->Height()) && this->FIndex != -1;
    if (resized)
        CalcSize(AWidth, AHeight);
    if (auto* bar = dynamic_cast<TskSkinToolBar*>(this->Parent()); bar != nullptr && bar->AdjustControls) {
        const TRect client = bar->GetSkinClientRect();
        ATop = client.Height() / 2 + client.Top - AHeight / 2;
    }
    Base::SetBounds(ALeft, ATop, AWidth, AHeight);
    if (resized) {
        SetControlRegion();
        this->Repaint();
    }
    if (this->FIndex != -1 && G.Stretch.StretchEffect)
        StretchedResize();
}

template <class Base> void TskSkinCustomized<Base>::CreateControlDefaultImage(TBitmap& B)
{
    B.Canvas()->Brush()->SetColor(clBtnFace);
    B.Canvas()->FillRect(this->ClientRect());
}

template <class Base> void TskSkinCustomized<Base>::CreateControlSkinImage(TBitmap& B)
{
    CreateResizedImage(B, G.Picture, G.SkinRect);
}

template class TskSkinCustomized<TskSkinControl>;
template class TskSkinCustomized<TskGraphicSkinControl>;

} // namespace tovrel
