#include "skin/forms/MenuBarItem.h"

#include "platform/gdi/Text.h"
#include "platform/vcl/GraphicsObjects.h"
#include "skin/controls/SkinHoverMorph.h"
#include "skin/data/SkinData.h"
#include "skin/data/SkinGeometry.h"
#include "skin/data/SkinMenuEntries.h"
#include "skin/draw/SkinImageBuilders.h"
#include "skin/draw/TextHelpers.h"
#include "skin/forms/SkinForm.h"
#include "skin/forms/SkinMainMenuBar.h"
#include "skin/menus/SkinMenu.h"

#include <algorithm>

namespace tovrel {

namespace {

// The built-in look of pressable elements.
constexpr TColor kDownFill = TColor(0xB59385), kHotFill = TColor(0xD2BDB6), kHotFrame = TColor(0x800000);

TBitmap* EntryPicture(const TskSkinMainMenuBar* bar, const TskDataSkinObject* data)
{
    TskSkinData* skin = bar ? bar->SkinData() : nullptr;
    return skin && data ? skin->ActivePicture(data->ActivePictureIndex) : nullptr;
}

} // namespace

TskMenuBarObject::TskMenuBarObject(TskSkinMainMenuBar* AParent, const TskDataSkinObject* AData) : Parent(AParent)
{
    if (!AData)
        return;
    IDName = AData->IDName;
    SkinRect = AData->SkinRect;
    ActiveSkinRect = AData->ActiveSkinRect;
    Morphing = AData->Morphing && !IsNullRect(ActiveSkinRect);
    MorphKind = AData->MorphKind;
    DownRect = BaseDownRect = AData->ActiveSkinRect;
    ObjectRect = AData->SkinRect;
    Picture = EntryPicture(AParent, AData);
}

void TskMenuBarObject::ReDraw()
{
    if (EnableMorphing())
        Parent->StartMorphTimer();
    else
        Parent->DrawObject(*this);
}

void TskMenuBarObject::MouseEnter()
{
    FMouseIn = Active = true;
    ReDraw();
}

void TskMenuBarObject::MouseLeave()
{
    FMouseIn = Active = false;
    ReDraw();
}

bool TskMenuBarObject::EnableMorphing() const
{
    return Morphing && Parent->SkinEffectsOn();
}

bool TskMenuBarObject::CanMorphing() const
{
    return (!FDown || IsNullRect(BaseDownRect)) && ((Active && FMorphKf < 1) || (!Active && FMorphKf > 0));
}

void TskMenuBarObject::DoMorphing()
{
    FMorphKf = std::clamp(FMorphKf + (Active ? kMorphStep : -kMorphStep), 0.0, 1.0);
    Draw(Parent->BarCanvas());
}

TskSkinMainMenuBarItem::TskSkinMainMenuBarItem(TskSkinMainMenuBar* AParent, const TskDataSkinMainMenuItem* AData)
    : TskMenuBarObject(AParent, AData), FSkinSupport(AData != nullptr)
{
    if (!AData)
        return;
    DownRect = !IsNullRect(AData->DownRect) ? AData->DownRect : !IsNullRect(ActiveSkinRect) ? ActiveSkinRect : SkinRect;
    TextRct = AData->TextRct;
    LO = AData->ItemLO;
    RO = AData->ItemRO;
    StretchEffect = AData->StretchEffect;
    FontName = AData->FontName;
    FontHeight = AData->FontHeight;
    FontStyle = AData->FontStyle;
    FontColor = AData->FontColor;
    ActiveFontColor = AData->ActiveFontColor;
    DownFontColor = AData->DownFontColor;
    UnEnabledFontColor = AData->UnEnabledFontColor;
    AnimateSkinRect = AData->AnimateSkinRect;
    FrameCount = AData->FrameCount;
    AnimateInterval = AData->AnimateInterval;
    InActiveAnimation = AData->InActiveAnimation;
}

bool TskSkinMainMenuBarItem::HasSubItems() const
{
    return MenuItem && MenuItem->Count() > 0;
}

bool TskSkinMainMenuBarItem::EnableAnimation() const
{
    // A strip without frames has no frame size: no animation.
    return FSkinSupport && !IsNullRect(AnimateSkinRect) && FrameCount > 0 && Parent->SkinEffectsOn();
}

void TskSkinMainMenuBarItem::ReDraw()
{
    if (EnableAnimation())
        Parent->StartAnimateTimer(AnimateInterval);
    else
        TskMenuBarObject::ReDraw();
}

bool TskSkinMainMenuBarItem::AnimationStep()
{
    if (Active && CurrentFrame <= FrameCount)
        ++CurrentFrame;
    else if (!Active && CurrentFrame > 0)
        --CurrentFrame;
    else
        return false;
    Draw(Parent->BarCanvas());
    return true;
}

TRect TskSkinMainMenuBarItem::FrameRect(int K) const
{
    const TRect& a = AnimateSkinRect;
    if (a.Height() > SkinRect.Height()) {
        const int fh = a.Height() / FrameCount;
        return Rect(a.Left, a.Top + (K - 1) * fh, a.Right, a.Top + K * fh);
    }
    const int fw = a.Width() / FrameCount;
    return Rect(a.Left + (K - 1) * fw, a.Top, a.Left + K * fw, a.Bottom);
}

void TskSkinMainMenuBarItem::ResetAnimation()
{
    if (EnableAnimation() && !InActiveAnimation) {
        CurrentFrame = 0;
        Parent->DrawObject(*this);
    }
}

// ---- reactions ----

void TskSkinMainMenuBarItem::MouseEnter()
{
    TskSkinMainMenuBarItem* down = nullptr;
    TskSkinMainMenuBarItem* active = nullptr;
    for (int i = 0; i < Parent->ItemCount(); ++i) {
        TskSkinMainMenuBarItem* other = Parent->Item(i);
        if (!other || other == this)
            continue;
        if (!down && other->FDown)
            down = other;
        if (!active && other->Active)
            active = other;
    }
    if (down) {
        // Moving along the bar with a menu open opens the neighbour's menu.
        down->SetItemDown(false);
        Active = FMouseIn = true;
        if (EnableMorphing())
            FMorphKf = 1;
        SetItemDown(true);
        return;
    }
    if (active)
        active->MouseLeave();
    FMouseIn = Active = true;
    ReDraw();
    if (Parent->OnItemMouseEnter)
        Parent->OnItemMouseEnter(MenuItem);
    if (MenuItem && Parent->Hint != MenuItem->Hint)
        Parent->Hint = MenuItem->Hint;
}

void TskSkinMainMenuBarItem::MouseLeave()
{
    Active = FMouseIn = false;
    ResetAnimation();
    if (EnableMorphing() && FDown)
        FMorphKf = 0;
    ReDraw();
    if (Parent->OnItemMouseLeave)
        Parent->OnItemMouseLeave(MenuItem);
}

void TskSkinMainMenuBarItem::MouseDown(int /*X*/, int /*Y*/, TMouseButton Button)
{
    TskSkinForm* form = Parent->SkinForm();
    if (!Enabled || !form || Button != mbLeft || !MenuItem)
        return;
    if (HasSubItems()) {
        Parent->MenuActive = true;
        SetItemDown(true);
        return;
    }
    // An item without sub-items runs its command on the press.
    if (form->InMainMenu())
        form->EndMainMenu();
    form->SetInMenu(false);
    if (EnableMorphing())
        ReDraw();
    else
        Parent->DrawObject(*this);
    if (TMenu* menu = MenuItem->GetParentMenu())
        menu->DispatchCommand(MenuItem->Command());
}

void TskSkinMainMenuBarItem::SetItemDown(bool Value)
{
    FDown = Value;
    if (Value) {
        FMorphKf = 1;
        Parent->DrawObject(*this);
        TskSkinForm* form = Parent->SkinForm();
        if (form && !form->InMainMenu() && form->OnMainMenuEnter)
            form->OnMainMenuEnter(Parent);
        PopupItemMenu();
        return;
    }
    Active = false;
    if (EnableAnimation()) {
        CurrentFrame = InActiveAnimation ? FrameCount + 1 : 0;
        if (InActiveAnimation)
            ReDraw();
        else
            Parent->DrawObject(*this);
    } else if (EnableMorphing()) {
        FMorphKf = 1;
        ReDraw();
    } else {
        Parent->DrawObject(*this);
    }
}

void TskSkinMainMenuBarItem::PopupItemMenu()
{
    TskSkinForm* form = Parent->SkinForm();
    if (!form || !MenuItem)
        return;
    const TPoint topLeft = Parent->ClientToScreen(Point(ObjectRect.Left, ObjectRect.Top));
    const TRect R = Rect(topLeft.X, topLeft.Y, topLeft.X + ObjectRect.Width(), topLeft.Y + ObjectRect.Height());
    form->SkinMenuOpen();
    form->SetInMainMenu(true);
    form->SkinMenu()->Popup(nullptr, Parent->SkinData(), 0, R, MenuItem, Parent->PopupToUp);
}

// ---- size and fit ----

int TskSkinMainMenuBarItem::CaptionWidth() const
{
    TBitmap scratch(1, 1);
    Parent->PrepareItemFont(*scratch.Canvas(), *this);
    RECT r = Rect(0, 0, 0, 0);
    WideDrawText(scratch.Canvas()->Handle(), MenuItem ? MenuItem->Caption() : "", r, DT_CALCRECT | DT_CENTER);
    return r.Width();
}

bool TskSkinMainMenuBarItem::CalcObjectRect()
{
    int left = 0;
    for (const auto& object : Parent->Objects()) {
        if (object.get() == this)
            break;
        if (dynamic_cast<TskSkinMainMenuBarItem*>(object.get()))
            left = object->ObjectRect.Right;
    }
    const TRect& area = Parent->NewItemsRect;
    if (left == 0)
        left = area.Left;
    const int tw = CaptionWidth();
    if (FSkinSupport)
        ObjectRect =
            Rect(left, area.Top, left + SkinRect.Width() - TextRct.Width() + tw + 2, area.Top + SkinRect.Height());
    else
        ObjectRect = Rect(left, area.Top, left + tw + 12, area.Bottom);
    const int limit = area.Right - (Parent->ScrollMenu ? kMenuBarMarkerWidth : 0);
    if (ObjectRect.Right > limit) {
        Parent->Scroll = true;
        if (Visible) {
            OldEnabled = Enabled;
            Enabled = false;
            Visible = false;
        }
        return false;
    }
    if (!Visible) {
        Visible = true;
        Enabled = OldEnabled;
    }
    return true;
}

// ---- drawing ----

void TskSkinMainMenuBarItem::Draw(TCanvas& Cnvs)
{
    if (FSkinSupport)
        SkinDraw(Cnvs);
    else
        DefaultDraw(Cnvs);
}

void TskSkinMainMenuBarItem::PrepareFont(TCanvas& C) const
{
    Parent->PrepareItemFont(C, *this);
}

void TskSkinMainMenuBarItem::DrawCaption(TCanvas& C, TRect R, bool Selected)
{
    if (MenuItem && MenuItem->OnDrawItem) {
        // Bar objects are no framework objects: the handler hears of its menu item.
        MenuItem->OnDrawItem(MenuItem, &C, R, Selected);
        return;
    }
    C.Brush()->SetStyle(bsClear);
    RECT r = R;
    WideDrawText(C.Handle(), MenuItem ? MenuItem->Caption() : "", r,
                 Parent->DrawTextBiDiModeFlags(DT_CENTER | DT_VCENTER | DT_SINGLELINE));
}

void TskSkinMainMenuBarItem::DefaultDraw(TCanvas& Cnvs)
{
    if (!CalcObjectRect())
        return;
    TBitmap B(ObjectRect.Width(), ObjectRect.Height());
    TCanvas& C = *B.Canvas();
    const TRect whole = Rect(0, 0, B.Width(), B.Height());
    if (FDown || FMouseIn) {
        C.Brush()->SetColor(kHotFrame);
        C.FrameRect(whole);
        C.Brush()->SetColor(FDown ? kDownFill : kHotFill);
        C.FillRect(Rect(1, 1, whole.Right - 1, whole.Bottom - 1));
    } else {
        C.Brush()->SetColor(clBtnFace);
        C.FillRect(whole);
    }
    PrepareFont(C);
    const int th = WideTextHeight(C.Handle(), MenuItem ? MenuItem->Caption() : "");
    TRect text = Rect(1, 1, whole.Right - 1, whole.Bottom - 1);
    text.Top = (text.Top + text.Bottom) / 2 - th / 2;
    text.Bottom = text.Top + th;
    if (FDown) {
        ++text.Left;
        ++text.Top;
        ++text.Right;
        ++text.Bottom;
    }
    DrawCaption(C, text, Active);
    Cnvs.Draw(ObjectRect.Left, ObjectRect.Top, &B);
}

void TskSkinMainMenuBarItem::CreateItemImage(TBitmap& B, TCanvas& Cnvs, const TRect& R, bool AActive)
{
    B.SetSize(ObjectRect.Width(), SkinRect.Height());
    TCanvas& C = *B.Canvas();
    if (Parent->ItemTransparent && RectsEqual(R, SkinRect))
        C.CopyRect(Rect(0, 0, B.Width(), B.Height()), &Cnvs, ObjectRect);
    else
        CreateHSkinImage(LO, RO, B, *Picture, R, ObjectRect.Width(), AActive && StretchEffect);
    PrepareFont(C);
    C.Font()->SetColor(FDown                             ? DownFontColor
                       : AActive                         ? ActiveFontColor
                       : MenuItem && MenuItem->Enabled() ? FontColor
                                                         : UnEnabledFontColor);
    // The text area grows with the caption from its left edge.
    const int grown = ObjectRect.Width() - SkinRect.Width();
    DrawCaption(C, Rect(TextRct.Left, TextRct.Top, TextRct.Right + grown, TextRct.Bottom), AActive);
}

void TskSkinMainMenuBarItem::SkinDraw(TCanvas& Cnvs)
{
    if (IsNullRect(SkinRect) || IsNullRect(TextRct) || !CalcObjectRect() || !Picture)
        return;
    TBitmap B;
    const bool morphDone = !EnableMorphing() || (Active && FMorphKf >= 1) || (!Active && FMorphKf <= 0);
    if (FDown) {
        CreateItemImage(B, Cnvs, DownRect, true);
    } else if (EnableAnimation() && CurrentFrame >= 1 && CurrentFrame <= FrameCount) {
        CreateItemImage(B, Cnvs, FrameRect(CurrentFrame), true);
    } else if (morphDone) {
        if (Active)
            CreateItemImage(B, Cnvs, IsNullRect(ActiveSkinRect) ? SkinRect : ActiveSkinRect, true);
        else
            CreateItemImage(B, Cnvs, SkinRect, false);
    } else {
        TBitmap normal, hot;
        CreateItemImage(normal, Cnvs, SkinRect, false);
        CreateItemImage(hot, Cnvs, ActiveSkinRect, true);
        B.SetSize(normal.Width(), normal.Height());
        DrawMorphed(B, normal, hot, MorphKind, FMorphKf);
    }
    Cnvs.Draw(ObjectRect.Left, ObjectRect.Top, &B);
}

} // namespace tovrel
