#include "skin/forms/CaptionObject.h"

#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/Text.h"
#include "platform/vcl/Bitmap.h"
#include "platform/vcl/Canvas.h"
#include "platform/wm/MessageLoop.h"
#include "platform/wm/Messages.h"
#include "skin/data/ResourceStrData.h"
#include "skin/data/SkinButtonEntries.h"
#include "skin/data/SkinData.h"
#include "skin/data/SkinFrameEntries.h"
#include "skin/data/SkinGeometry.h"
#include "skin/draw/EffectBmp.h"
#include "skin/draw/GlowText.h"
#include "skin/draw/SkinImageBuilders.h"
#include "skin/draw/TextHelpers.h"
#include "skin/forms/SkinForm.h"

namespace tovrel {

namespace {

// The rectangle text drawn at (x, y) takes.
RECT TextRectAt(HDC dc, std::string_view text, int x, int y, UINT format)
{
    RECT r{x, y, x, y};
    WideDrawText(dc, text, r, format | DT_CALCRECT);
    return r;
}

void DrawTextCopy(HDC dc, std::string_view text, int x, int y, UINT format, TColor color)
{
    const COLORREF kept = SetTextColor(dc, ColorToRGB(color));
    RECT r = TextRectAt(dc, text, x, y, format);
    WideDrawText(dc, text, r, format);
    SetTextColor(dc, kept);
}

} // namespace

TskSkinCaptionObject::TskSkinCaptionObject(TskSkinForm* AParent, TskDataSkinObject* AData)
    : TskActiveSkinObject(AParent, AData)
{
    const auto* d = dynamic_cast<TskDataSkinCaption*>(AData);
    if (!d)
        return;
    FontName = d->FontName;
    FontStyle = d->FontStyle;
    FontHeight = d->FontHeight;
    FontColor = d->FontColor;
    ActiveFontColor = d->ActiveFontColor;
    ShadowColor = d->ShadowColor;
    ActiveShadowColor = d->ActiveShadowColor;
    Shadow = d->Shadow;
    LightColor = d->LightColor;
    ActiveLightColor = d->ActiveLightColor;
    Light = d->Light;
    Alignment = d->Alignment;
    TextRct = d->TextRct;
    FrameRect = d->FrameRect;
    ActiveFrameRect = d->ActiveFrameRect;
    FrameLeftOffset = d->FrameLeftOffset;
    FrameRightOffset = d->FrameRightOffset;
    FrameTextRect = d->FrameTextRect;
    StretchEffect = d->StretchEffect;
    FullFrame = d->FullFrame;
    AnimateSkinRect = d->AnimateSkinRect;
    FrameCount = d->FrameCount;
    AnimateInterval = d->AnimateInterval;
    InActiveAnimation = d->InActiveAnimation;
    VistaGlowEffect = d->VistaGlowEffect;
    VistaGlowInActiveEffect = d->VistaGlowInActiveEffect;
    GlowEffect = d->GlowEffect;
    GlowInActiveEffect = d->GlowInActiveEffect;
    GlowSize = d->GlowSize;
    GlowColor = d->GlowColor;
    GlowActiveColor = d->GlowActiveColor;
    GlowOffset = d->GlowOffset;
    ReflectionEffect = d->ReflectionEffect;
    ReflectionColor = d->ReflectionColor;
    ReflectionActiveColor = d->ReflectionActiveColor;
    ReflectionOffset = d->ReflectionOffset;
}

bool TskSkinCaptionObject::EnableAnimation() const
{
    return HasSkin() && SD->EnableSkinEffects && !IsNullRect(AnimateSkinRect);
}

bool TskSkinCaptionObject::HasQuickButtons() const
{
    return Parent->QuickButtons()->Count() > 0 && Parent->QuickImageList();
}

TRect TskSkinCaptionObject::TextRect() const
{
    TRect TR = TextRct;
    if (!IsNullRect(TextRct)) {
        TR.Right = TextRct.Right + GetRectWidth(ObjectRect) - GetRectWidth(SkinRect);
        if (HasQuickButtons())
            TR.Left += Parent->QuickButtons()->Count() * (Parent->QuickImageList()->Width() + 8);
    }
    if (!IsNullRect(FrameRect)) {
        TR.Top += FrameTextRect.Top;
        TR.Left += FrameTextRect.Left;
        TR.Right -= GetRectWidth(FrameRect) - FrameTextRect.Right;
    }
    return TR;
}

TRect TskSkinCaptionObject::AnimateFrameRect() const
{
    const TRect& a = AnimateSkinRect;
    const int n = CurrentFrame;
    if (FrameCount <= 0)
        return a;
    if (a.Height() > SkinRect.Height()) {
        const int h = a.Height() / FrameCount;
        return {a.Left, a.Top + h * (n - 1), a.Right, a.Top + h * n};
    }
    const int w = a.Width() / FrameCount;
    return {a.Left + w * (n - 1), a.Top, a.Left + w * n, a.Bottom};
}

void TskSkinCaptionObject::RepaintFrame() const
{
    if (Parent->Form()->HandleAllocated())
        SendMessage(Parent->Form()->Handle(), WM_NCPAINT, 0, 0);
}

void TskSkinCaptionObject::SetCaptionFont(TCanvas* C, TColor Color) const
{
    TFont* font = C->Font();
    font->SetName(FontName);
    font->SetStyle(FontStyle);
    font->SetHeight(FontHeight);
    font->SetColor(Color);
    const TskResourceStrData* strings = SD ? SD->ResourceStrData() : nullptr;
    font->SetCharset(strings ? strings->CharSet() : Parent->DefCaptionFont->Charset());
}

void TskSkinCaptionObject::DrawCaptionText(TCanvas* C, int DX, int DY, bool AActive) const
{
    // A caption painted by the application is painted once, over the finished caption.
    if (Parent->OnCaptionPaint)
        return;
    std::string T = Parent->Form()->Caption();
    if (T.empty() || IsNullRect(TextRct))
        return;
    const TRect TR = TextRect();
    HDC dc = C->Handle();
    WideFitTextToWidth(dc, T, GetRectWidth(TR));
    const int w = WideTextWidth(dc, T), h = WideTextHeight(dc, T);
    const int Y = TR.Top + GetRectHeight(TR) / 2 - h / 2 + DY;
    int X = TR.Left;
    if (HasQuickButtons() || Alignment == TAlignment::taCenter)
        X = TR.Left + GetRectWidth(TR) / 2 - w / 2;
    else if (Alignment == TAlignment::taRightJustify)
        X = TR.Right - w;
    X += DX;
    SetBkMode(dc, TRANSPARENT);
    if (!IsNullRect(FrameRect) && ActivePicture) {
        const TRect S = AActive && !IsNullRect(ActiveFrameRect) ? ActiveFrameRect : FrameRect;
        const int W = FullFrame ? GetRectWidth(ObjectRect) - 2 * SD->FormInfo.ButtonsOffset
                                : GetRectWidth(FrameRect) + w - GetRectWidth(FrameTextRect);
        if (W > 0) {
            TBitmap label;
            CreateHSkinImage(FrameLeftOffset, FrameRightOffset, label, *ActivePicture, S, W, false);
            const int at = FullFrame ? DX + SD->FormInfo.ButtonsOffset : X - FrameTextRect.Left;
            C->Draw(at, Y - FrameTextRect.Top, &label);
        }
        dc = C->Handle();
        SetBkMode(dc, TRANSPARENT);
    }
    const UINT F = Parent->Form()->DrawTextBiDiModeFlags(DT_VCENTER);
    if (Light)
        DrawTextCopy(dc, T, X - 1, Y - 1, F, AActive ? ActiveLightColor : LightColor);
    if (Shadow)
        DrawTextCopy(dc, T, X + 1, Y + 1, F, AActive ? ActiveShadowColor : ShadowColor);
    RECT R = TextRectAt(dc, T, X, Y, F);
    SetTextColor(dc, ColorToRGB(AActive ? ActiveFontColor : FontColor));
    if (ReflectionEffect)
        DrawReflectionText(dc, R, T, AActive ? ReflectionActiveColor : ReflectionColor, ReflectionOffset, F);
    else if (VistaGlowEffect && (AActive || VistaGlowInActiveEffect))
        WideDrawVistaGlowText(dc, R, T, AActive ? GlowActiveColor : GlowColor, F);
    else if (!VistaGlowEffect && GlowEffect && (AActive || GlowInActiveEffect))
        WideDrawGlowText(dc, R, T, GlowSize, AActive ? GlowActiveColor : GlowColor, GlowOffset, F);
    else
        WideDrawText(dc, T, R, F);
}

std::unique_ptr<TBitmap> TskSkinCaptionObject::CreateCaptionImage(TRect Src, TBitmap* Pic, bool AActive) const
{
    const int w = GetRectWidth(ObjectRect), h = GetRectHeight(ObjectRect);
    auto image = std::make_unique<TBitmap>(w, h);
    const int L = std::max(0, SD->FormInfo.LTPoint.X - SkinRect.Left);
    const int Rw = std::max(0, SkinRect.Right - SD->FormInfo.RTPoint.X);
    if (L > 0 || Rw > 0)
        CreateHSkinImage(L, Rw, *image, *Pic, Src, w, StretchEffect);
    else
        image->Canvas()->CopyRect(Rect(0, 0, w, h), Pic->Canvas(), Src);
    SetCaptionFont(image->Canvas(), AActive ? ActiveFontColor : FontColor);
    DrawCaptionText(image->Canvas(), 0, 0, AActive);
    return image;
}

void TskSkinCaptionObject::DrawImage(TCanvas* Cnvs, TBitmap& Image, bool InActiveEffect) const
{
    if (!InActiveEffect) {
        Cnvs->Draw(ObjectRect.Left, ObjectRect.Top, &Image);
        return;
    }
    TskEffectBmp e = TskEffectBmp::CreateFromhWnd(Image.Handle());
    ApplyInActiveEffect(e, SD->FormInfo.InActiveEffect);
    e.Draw(Cnvs->Handle(), ObjectRect.Left, ObjectRect.Top);
}

void TskSkinCaptionObject::Draw(TCanvas* Cnvs, bool)
{
    if (!HasSkin())
        return;
    if (HasQuickButtons())
        DrawQuickButtons(Cnvs);
    SetCaptionFont(Cnvs, Active ? ActiveFontColor : FontColor);
    const bool autoInActive = SD->FormInfo.AutoRenderingInActiveImage && !Active;
    const bool noImages = GetRectWidth(ObjectRect) <= 0 || GetRectHeight(ObjectRect) <= 0 || !Picture ||
                          !ActivePicture || IsNullRect(ActiveSkinRect);
    if (EnableAnimation() && CurrentFrame >= 1 && CurrentFrame <= FrameCount && !noImages) {
        // The frame carries the text in the look of the state being left.
        DrawImage(Cnvs, *CreateCaptionImage(AnimateFrameRect(), ActivePicture, !Active), false);
    } else if (noImages || (!Active && !EnableMorphing() && !StretchEffect && !EnableAnimation())) {
        DrawCaptionText(Cnvs, ObjectRect.Left, ObjectRect.Top, Active);
    } else if (EnableMorphing() && ((FMorphKf > 0 && !Active) || (FMorphKf < 1 && Active))) {
        auto n = CreateCaptionImage(SkinRect, Picture, false);
        auto a = CreateCaptionImage(ActiveSkinRect, ActivePicture, true);
        TskEffectBmp en = TskEffectBmp::CreateFromhWnd(n->Handle());
        const TskEffectBmp ea = TskEffectBmp::CreateFromhWnd(a->Handle());
        en.MorphByKind(MorphKind, ea, FMorphKf);
        if (autoInActive)
            ApplyInActiveEffect(en, SD->FormInfo.InActiveEffect);
        en.Draw(Cnvs->Handle(), ObjectRect.Left, ObjectRect.Top);
    } else if (!Active) {
        DrawImage(Cnvs, *CreateCaptionImage(SkinRect, Picture, false), autoInActive);
    } else {
        DrawImage(Cnvs, *CreateCaptionImage(ActiveSkinRect, ActivePicture, true), false);
    }
    if (Parent->OnCaptionPaint)
        Parent->OnCaptionPaint(Cnvs, ObjectRect, Active);
}

// ---- quick buttons ----

void TskSkinCaptionObject::DrawQuickButtons(TCanvas* Cnvs)
{
    TCustomImageList& images = *Parent->QuickImageList();
    const int iw = images.Width(), ih = images.Height();
    int X = ObjectRect.Left;
    const int Y = ObjectRect.Top + GetRectHeight(ObjectRect) / 2 - ih / 2 - 2;
    TskQuickButtonItems& items = *Parent->QuickButtons();
    for (int i = 0; i < items.Count(); ++i) {
        TskQuickButtonItem& item = *items.Items(i);
        if (!item.Visible())
            continue;
        item.ItemRect = {X, Y, X + iw + 4, Y + ih + 4};
        DrawQuickButton(Cnvs, item);
        X += iw + 8;
    }
}

void TskSkinCaptionObject::DrawQuickButton(TCanvas* Cnvs, const TskQuickButtonItem& Item) const
{
    const TRect& r = Item.ItemRect;
    if (Item.Active) {
        int index = SD->GetControlIndex("officequickbutton");
        if (index < 0)
            index = SD->GetControlIndex("resizetoolbutton");
        const auto* face = index >= 0
                               ? dynamic_cast<const TskDataSkinButtonControl*>(SD->CtrlList[std::size_t(index)].get())
                               : nullptr;
        TBitmap* picture = face ? SD->ActivePicture(face->PictureIndex) : nullptr;
        const TRect from = face ? (Item.Down ? face->DownSkinRect : face->ActiveSkinRect) : TRect{};
        if (picture && !IsNullRect(from) && GetRectWidth(r) > 0 && GetRectHeight(r) > 0) {
            TBitmap image(GetRectWidth(r), GetRectHeight(r));
            CreateStretchImage(image, *picture, from, face->ClRect, true);
            Cnvs->Draw(r.Left, r.Top, &image);
        }
    }
    TCustomImageList& images = *Parent->QuickImageList();
    images.Draw(Cnvs, r.Left + GetRectWidth(r) / 2 - images.Width() / 2,
                r.Top + GetRectHeight(r) / 2 - images.Height() / 2, Item.ImageIndex(), Item.Enabled());
}

void TskSkinCaptionObject::TestQuickButtons(int X, int Y)
{
    TskQuickButtonItems& items = *Parent->QuickButtons();
    if (items.Count() == 0)
        return;
    OldActiveQuickButton = ActiveQuickButton;
    ActiveQuickButton = -1;
    for (int i = 0; i < items.Count() && ActiveQuickButton < 0; ++i) {
        const TskQuickButtonItem& item = *items.Items(i);
        if (item.Enabled() && item.Visible() && item.ItemRect.Contains({X, Y}))
            ActiveQuickButton = i;
    }
    bool changed = false;
    for (int i = 0; i < items.Count(); ++i) {
        TskQuickButtonItem& item = *items.Items(i);
        const bool hot = i == ActiveQuickButton;
        changed = changed || item.Active != hot;
        item.Active = hot;
    }
    if (changed || ActiveQuickButton != OldActiveQuickButton)
        RepaintFrame();
    if (Parent->QuickButtonsShowHint) {
        if (ActiveQuickButton >= 0 && ActiveQuickButton != OldActiveQuickButton)
            Parent->ShowFrameHint(items.Items(ActiveQuickButton)->Hint);
        else if (ActiveQuickButton < 0 && changed)
            Parent->HideFrameHint();
    }
}

void TskSkinCaptionObject::MouseEnter()
{
    FMouseIn = true;
    if (Parent->OnMouseEnterEvent)
        Parent->OnMouseEnterEvent(IDName);
}

void TskSkinCaptionObject::MouseLeave()
{
    FMouseIn = false;
    if (Parent->OnMouseLeaveEvent)
        Parent->OnMouseLeaveEvent(IDName);
    if (HasQuickButtons()) {
        ActiveQuickButton = -1;
        OldActiveQuickButton = -1;
        TestQuickButtons(-1, -1);
    }
}

void TskSkinCaptionObject::MouseMove(int X, int Y)
{
    TskActiveSkinObject::MouseMove(X, Y);
    if (HasQuickButtons())
        TestQuickButtons(X, Y);
}

bool TskSkinCaptionObject::PressQuickButton(int X, int Y, bool Press)
{
    if (!HasQuickButtons())
        return false;
    TestQuickButtons(X, Y);
    if (ActiveQuickButton < 0)
        return false;
    TskQuickButtonItems& items = *Parent->QuickButtons();
    for (int i = 0; i < items.Count(); ++i) {
        TskQuickButtonItem& item = *items.Items(i);
        item.Down = Press && i == ActiveQuickButton;
        if (Press)
            item.Active = item.Down;
    }
    RepaintFrame();
    return true;
}

void TskSkinCaptionObject::MouseDown(int X, int Y, TMouseButton Button)
{
    if (Parent->OnMouseDownEvent)
        Parent->OnMouseDownEvent(IDName, X, Y, ObjectRect, Button);
    PressQuickButton(X, Y, true);
    if (Parent->QuickButtonsShowHint)
        Parent->HideFrameHint();
}

void TskSkinCaptionObject::MouseUp(int X, int Y, TMouseButton Button)
{
    if (Parent->OnMouseUpEvent)
        Parent->OnMouseUpEvent(IDName, X, Y, ObjectRect, Button);
    if (!PressQuickButton(X, Y, false))
        return;
    // The click may free the form: nothing of it is used after. The sender is
    // the form component, the caption object being no framework object.
    if (TNotifyEvent click = Parent->QuickButtons()->Items(ActiveQuickButton)->OnClick)
        click(Parent);
}

} // namespace tovrel
