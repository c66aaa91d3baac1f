#include "skin/controls/SkinnedControl.h"

#include "platform/vcl/CustomControls.h"
#include "skin/controls/SkinEntryLookup.h"

namespace tovrel {

template <class Base> TskSkinned<Base>::TskSkinned(TComponent* AOwner) : Base(AOwner) {}

template <class Base> void TskSkinned<Base>::SetSkinData(TskSkinData* Value)
{
    FSD = Value;
    if (Value && !Value->Empty)
        ChangeSkinData();
}

template <class Base> void TskSkinned<Base>::GetSkinData()
{
    FIndex = FindSkinEntry(FSD, FSkinDataName);
}

template <class Base> void TskSkinned<Base>::ChangeSkinData()
{
    GetSkinData();
    this->Repaint();
}

template <class Base> void TskSkinned<Base>::Paint()
{
    if (this->Width() <= 0 || this->Height() <= 0)
        return;
    GetSkinData();
    TBitmap B(this->Width(), this->Height());
    if (FIndex == -1)
        CreateControlDefaultImage(B);
    else
        CreateControlSkinImage(B);
    this->Canvas()->Draw(0, 0, &B);
}

template <class Base> void TskSkinned<Base>::WndProc(TMessage& message)
{
    Base::WndProc(message);
    if (message.Msg == CM_MOUSEENTER && OnMouseEnter)
        OnMouseEnter(this);
    else if (message.Msg == CM_MOUSELEAVE && OnMouseLeave)
        OnMouseLeave(this);
}

template class TskSkinned<TCustomControl>;
template class TskSkinned<TGraphicControl>;

} // namespace tovrel
