// The tool bar's properties, what it hands down to its buttons, and the
// centring of its children.
#include "skin/controls/SkinToolBar.h"

#include "skin/controls/GraphicSkinControl.h"
#include "skin/controls/SkinBevel.h"
#include "skin/controls/SkinEntryLookup.h"
#include "skin/controls/SkinSpeedButton.h"
#include "skin/data/SkinButtonEntries.h"

namespace tovrel {

TskSkinToolBar::TskSkinToolBar(TComponent* AOwner) : TskSkinPanel(AOwner)
{
    SetHeight(25);
    SetDefaultHeight(0);
    SetSkinDataName("toolpanel");
    SetBorderStyle(TskSkinBorderStyle::bvNone);
    ForcebackGround = false;
}

TskSkinToolBar::~TskSkinToolBar()
{
    StopScrollTimer();
}

template <class F> void TskSkinToolBar::ForEachSpeedButton(F&& f)
{
    for (int i = 0; i < ControlCount(); ++i)
        if (auto* button = dynamic_cast<TskSkinSpeedButton*>(Controls(i)))
            f(*button);
}

void TskSkinToolBar::SetCanScroll(bool Value)
{
    FCanScroll = Value;
    if (Value)
        UpdateScrollState();
    else
        SetScrollButtonsVisible(false);
}

void TskSkinToolBar::SetScrollOffset(int Value)
{
    if (Value >= 0)
        FScrollOffset = Value;
}

void TskSkinToolBar::SetScrollTimerInterval(int Value)
{
    if (Value > 0)
        FScrollTimerInterval = Value;
}

void TskSkinToolBar::SetShowCaptions(bool Value)
{
    if (FShowCaptions == Value)
        return;
    FShowCaptions = Value;
    if (AutoShowHideCaptions)
        ForEachSpeedButton([Value](TskSkinSpeedButton& b) { b.SetShowCaption(Value); });
    if (WidthWithCaptions != 0 && WidthWithoutCaptions != 0)
        SetWidth(Value ? WidthWithCaptions : WidthWithoutCaptions);
}

void TskSkinToolBar::SetFlat(bool Value)
{
    FFlat = Value;
    ForEachSpeedButton([Value](TskSkinSpeedButton& b) { b.SetFlat(Value); });
}

void TskSkinToolBar::SetImages(TCustomImageList* Value)
{
    FImages = Value;
    ForEachSpeedButton([](TskSkinSpeedButton& b) { b.Repaint(); });
}

void TskSkinToolBar::SetSkinData(TskSkinData* Value)
{
    TskSkinPanel::SetSkinData(Value);
    for (int i = 0; i < ControlCount(); ++i) {
        if (auto* button = dynamic_cast<TskSkinSpeedButton*>(Controls(i)))
            button->SetSkinData(Value);
        else if (auto* bevel = dynamic_cast<TskSkinBevel*>(Controls(i)))
            bevel->SetSkinData(Value);
    }
}

void TskSkinToolBar::GetSkinData()
{
    TskSkinPanel::GetSkinData();
    ButtonData = nullptr;
    if (FIndex == -1)
        return;
    const int index = FindSkinEntry(SkinData(), "resizebutton");
    if (index != -1)
        ButtonData = dynamic_cast<const TskDataSkinButtonControl*>(SkinData()->CtrlList[std::size_t(index)].get());
}

void TskSkinToolBar::SetBounds(int ALeft, int ATop, int AWidth, int AHeight)
{
    const int oldWidth = Width();
    TskSkinPanel::SetBounds(ALeft, ATop, AWidth, AHeight);
    if (AdjustControls)
        for (int i = 0; i < ControlCount(); ++i) {
            TControl* child = Controls(i);
            child->SetBounds(child->Left(), child->Top(), child->Width(), child->Height());
        }
    if (FCanScroll) {
        FHSizeOffset = oldWidth != 0 && Width() > oldWidth ? Width() - oldWidth : 0;
        UpdateScrollState();
    }
    if (AdjustControls)
        CenterControls();
}

void TskSkinToolBar::CenterControls()
{
    const TRect r = GetSkinClientRect();
    for (int i = 0; i < ControlCount(); ++i) {
        TControl* child = Controls(i);
        // Skinned controls centre themselves when they are bounded.
        if (dynamic_cast<TskSkinControl*>(child) || dynamic_cast<TskGraphicSkinControl*>(child) ||
            child->Align() != alNone)
            continue;
        child->SetTop(r.Top + r.Height() / 2 - child->Height() / 2);
    }
}

void TskSkinToolBar::AdjustClientRect(TRect& Rect) const
{
    TskSkinPanel::AdjustClientRect(Rect);
    if (!ScrollButtonsVisible())
        return;
    const int clientWidth = ClientRect().Width(), clientHeight = ClientRect().Height();
    TRect scrolled{-SPosition, 0, -SPosition + std::max(SMax, clientWidth), clientHeight};
    if (FIndex == -1) {
        scrolled.Top = 1;
        scrolled.Bottom = clientHeight - 1;
    } else if (BorderStyle() != TskSkinBorderStyle::bvNone || G.ResizeMode != 1) {
        scrolled.Top = G.NewClRect.Top;
        scrolled.Bottom = G.NewClRect.Bottom;
    }
    Rect = scrolled;
}

void TskSkinToolBar::CreateControlSkinImage(TBitmap& B)
{
    if (!ScrollButtonsVisible() || G.ResizeMode != 2 || G.Picture == nullptr) {
        TskSkinPanel::CreateControlSkinImage(B);
        return;
    }
    // No end caps while the content is scrolled: only the middle of the strip.
    CreateHSkinImage3(G.LTPt.X, G.SkinRect.Width() - G.RTPt.X, B, *G.Picture, G.SkinRect, Width(),
                      G.Stretch.StretchEffect);
}

} // namespace tovrel
