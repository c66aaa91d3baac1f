#include "skin/menus/SkinMenuItem.h"

#include "platform/gdi/SysColors.h"
#include "platform/gdi/Text.h"
#include "platform/vcl/Bitmap.h"
#include "platform/vcl/ImageList.h"
#include "platform/vcl/Menus.h"
#include "platform/vcl/Timer.h"
#include "skin/data/SkinButtonEntries.h"
#include "skin/data/SkinData.h"
#include "skin/data/SkinGeometry.h"
#include "skin/data/SkinMenuEntries.h"
#include "skin/draw/DefaultGlyphs.h"
#include "skin/draw/MorphedImage.h"
#include "skin/draw/SkinImageBuilders.h"
#include "skin/draw/TextHelpers.h"
#include "skin/menus/MenuGlyphs.h"
#include "skin/menus/MenuSkinParts.h"
#include "skin/menus/SkinMenu.h"
#include "skin/menus/SkinPopupWindow.h"

#include <algorithm>
#include <cmath>

namespace tovrel {

namespace {

constexpr UINT kTextFlags = DT_CENTER | DT_VCENTER;
constexpr TColor kHotFill = TColor(0xD2BDB6), kHotFrame = TColor(0x800000);

using TWindowGlyph = void (*)(HDC, int, int, COLORREF);

// The frame's window commands drawn as glyphs on the system and tray menu items.
TWindowGlyph WindowGlyphOf(const std::string& name)
{
    if (name == "BSF_CLOSE" || name == "TRAY_BSF_CLOSE")
        return DrawCloseImage;
    if (name == "BSF_MINITEM")
        return DrawMinimizeImage;
    if (name == "BSF_MAXITEM")
        return DrawMaximizeImage;
    if (name == "BSF_RESTORE" || name == "TRAY_BSF_RESTORE")
        return DrawRestoreImage;
    if (name == "BSF_ROLLUP")
        return DrawRollUpImage;
    if (name == "BSF_MINTOTRAY")
        return DrawTrayImage;
    return nullptr;
}

TSize MenuBitmapSize(TMenuItem& item, const TCustomImageList* images)
{
    TBitmap* bitmap = item.Bitmap();
    if (bitmap && !bitmap->Empty())
        return {bitmap->Width(), bitmap->Height()};
    return {images->Width(), images->Height()};
}

} // namespace

TskMenuItemKind MenuItemKindOf(const TMenuItem& item)
{
    const std::string& caption = item.Caption();
    if (caption == "-")
        return TskMenuItemKind::Divider;
    if (!item.Enabled() && caption.size() > 1 && caption.front() == '-' && caption.back() == '-')
        return TskMenuItemKind::Header;
    return TskMenuItemKind::Normal;
}

std::string HeaderText(const std::string& caption)
{
    return caption.size() < 2 ? std::string() : caption.substr(1, caption.size() - 2);
}

TskSkinMenuItem::TskSkinMenuItem(TskSkinPopupWindow* AParent, TMenuItem* AMenuItem, TskDataSkinMenuItem* AData)
    : Parent(AParent), MI(AData), MenuItem(AMenuItem)
{
    if (MI && Parent->SD)
        ActivePicture = Parent->SD->ActivePicture(MI->ActivePictureIndex);
}

TskMenuItemKind TskSkinMenuItem::Kind() const
{
    return MenuItemKindOf(*MenuItem);
}

bool TskSkinMenuItem::HasSubMenu() const
{
    return MenuItem->Count() > 0;
}

bool TskSkinMenuItem::HasImage() const
{
    TBitmap* bitmap = MenuItem->Bitmap();
    if (bitmap && !bitmap->Empty())
        return true;
    return Parent->ImgL && MenuItem->ImageIndex() >= 0 && MenuItem->ImageIndex() < Parent->ImgL->Count();
}

bool TskSkinMenuItem::Selectable() const
{
    return MenuItem->Enabled() && Kind() != TskMenuItemKind::Divider;
}

int TskSkinMenuItem::Height() const
{
    const bool divider = Kind() == TskMenuItemKind::Divider;
    if (MI)
        return divider ? MI->DividerRect.Height() : MI->SkinRect.Height();
    return divider ? kDefaultDividerHeight : Parent->ParentMenu->DefaultMenuItemHeight;
}

int TskSkinMenuItem::GlyphColumnWidth() const
{
    if (!MI)
        return Parent->ImgL ? Parent->GlyphWidth : 19;
    if (!IsNullRect(MI->ImageRct))
        return 0;
    return Parent->ImgL ? Parent->GlyphWidth : 16;
}

void TskSkinMenuItem::DrawTexts(TCanvas& C, TRect R, int glyphWidth, int rightGap)
{
    HDC dc = C.Handle();
    RECT text = Rect(R.Left + glyphWidth, 0, R.Right - rightGap, 0);
    DrawText(dc, MenuItem->Caption(), &text, kTextFlags | DT_CALCRECT);
    const int top = R.Top + R.Height() / 2 - text.Bottom / 2;
    text.Top += top;
    text.Bottom += top;
    text.Right += 2;
    DrawText(dc, MenuItem->Caption(), &text, kTextFlags);
    const std::string shortCut = ShortCutToText(MenuItem->ShortCut());
    if (shortCut.empty())
        return;
    RECT measured = Rect(0, 0, 0, 0);
    DrawText(dc, shortCut, &measured, kTextFlags | DT_CALCRECT);
    RECT place = Rect(R.Right - measured.Right - rightGap, text.Top, R.Right - rightGap, text.Bottom);
    DrawText(dc, shortCut, &place, kTextFlags);
}

void TskSkinMenuItem::DrawSkinGlyph(TCanvas& C, TRect area, TRect normal, TRect hot, bool active)
{
    const TRect source = active ? hot : normal;
    TBitmap glyph(source.Width(), source.Height());
    glyph.Canvas()->CopyRect(Rect(0, 0, source.Width(), source.Height()), ActivePicture->Canvas(), source);
    glyph.SetTransparent(true);
    const int x = std::max(area.Left, area.Left + area.Width() / 2 - source.Width() / 2);
    const int y = std::max(area.Top, area.Top + area.Height() / 2 - source.Height() / 2);
    C.Draw(x, y, &glyph);
}

void TskSkinMenuItem::DrawMark(TCanvas& C, TRect T, TColor color, bool active)
{
    const bool imageRect = MI && !IsNullRect(MI->ImageRct);
    if (HasImage()) {
        const TSize size = MenuBitmapSize(*MenuItem, Parent->ImgL);
        int x = T.Left + 2, y = T.Top + T.Height() / 2 - size.cy / 2;
        if (imageRect) {
            x = MI->ImageRct.Left + MI->ImageRct.Width() / 2 - size.cx / 2;
            y = MI->ImageRct.Top + MI->ImageRct.Height() / 2 - size.cy / 2;
        }
        if (MenuItem->Checked()) {
            C.Brush()->SetStyle(bsClear);
            C.Pen()->SetColor(color);
            C.Rectangle(x - 1, y - 1, x + size.cx + 1, y + size.cy + 1);
        }
        TBitmap* bitmap = MenuItem->Bitmap();
        if (bitmap && !bitmap->Empty())
            C.Draw(x, y, bitmap);
        else
            Parent->ImgL->Draw(&C, x, y, MenuItem->ImageIndex(), MenuItem->Enabled());
        return;
    }
    int x = T.Left + 2, y = T.Top + T.Height() / 2 - 4;
    if (imageRect) {
        x = MI->ImageRct.Left + MI->ImageRct.Width() / 2 - 4;
        y = MI->ImageRct.Top + MI->ImageRct.Height() / 2 - 4;
    }
    if (TWindowGlyph glyph = WindowGlyphOf(MenuItem->Name())) {
        glyph(C.Handle(), x, y, ColorToRGB(color));
        return;
    }
    if (!MenuItem->Checked())
        return;
    const TRect markArea = imageRect ? MI->ImageRct : Rect(T.Left + 2, T.Top, T.Left + 16, T.Bottom);
    if (MenuItem->RadioItem()) {
        if (MI && !IsNullRect(MI->RadioImageRect))
            DrawSkinGlyph(C, markArea, MI->RadioImageRect, MI->ActiveRadioImageRect, active);
        else
            DrawMenuRadioImage(C, MI ? x : T.Left + 1, y + 1, color);
    } else if (MI && !IsNullRect(MI->CheckImageRect)) {
        DrawSkinGlyph(C, markArea, MI->CheckImageRect, MI->ActiveCheckImageRect, active);
    } else {
        DrawMenuCheckImage(C, MI ? x : T.Left + 1, y, color);
    }
}

void TskSkinMenuItem::DefaultDraw(TCanvas& Cnvs)
{
    const int W = ObjectRect.Width(), H = ObjectRect.Height();
    const int GW = GlyphColumnWidth();
    TBitmap B(W, H);
    TCanvas& C = *B.Canvas();
    Parent->SetupFont(C);
    const TskMenuItemKind kind = Kind();
    const TRect R = Rect(2, 2, W - 2, H - 2);
    if (IsHot() && kind != TskMenuItemKind::Divider) {
        C.Brush()->SetColor(kHotFrame);
        C.FillRect(Rect(0, 0, W, H));
        C.Brush()->SetColor(kHotFill);
        C.FillRect(Rect(1, 1, W - 1, H - 1));
        C.Font()->SetColor(clWindowText);
    } else {
        C.Brush()->SetColor(clBtnFace);
        C.FillRect(Rect(0, 0, GW, H));
        C.Brush()->SetColor(clWindow);
        C.FillRect(Rect(GW, 0, W, H));
        C.Font()->SetColor(MenuItem->Enabled() ? clWindowText : clBtnShadow);
    }
    if (kind == TskMenuItemKind::Divider) {
        C.Pen()->SetColor(clBtnShadow);
        C.MoveTo(GW, H / 2);
        C.LineTo(W, H / 2);
    } else if (kind == TskMenuItemKind::Header) {
        DrawHeader(C, R);
    } else {
        C.Brush()->SetStyle(bsClear);
        DrawTexts(C, R, GW, 19);
        const TColor color = C.Font()->Color();
        if (HasSubMenu())
            DrawMenuArrowImage(C, R.Right - 7, R.Top + R.Height() / 2 - 4, color);
        DrawMark(C, R, color, IsHot());
    }
    Cnvs.Draw(ObjectRect.Left, ObjectRect.Top, &B);
}

void TskSkinMenuItem::DrawHeader(TCanvas& C, TRect R)
{
    C.Brush()->SetColor(clBtnShadow);
    C.Brush()->SetStyle(bsSolid);
    C.FillRect(Rect(0, 0, ObjectRect.Width(), ObjectRect.Height()));
    C.Brush()->SetStyle(bsClear);
    C.Font()->SetColor(clBtnHighlight);
    RECT text = R;
    DrawText(C.Handle(), HeaderText(MenuItem->Caption()), &text, kTextFlags);
}

TRect TskSkinMenuItem::AnimationFrameRect() const
{
    const TRect strip = MI->AnimateSkinRect;
    const int count = MI->FrameCount, n = std::clamp(CurrentFrame, 1, count);
    // Frames stacked when the strip is taller than a row, side by side otherwise.
    if (strip.Height() > MI->SkinRect.Height()) {
        const int h = strip.Height() / count;
        return Rect(strip.Left, strip.Top + h * (n - 1), strip.Right, strip.Top + h * n);
    }
    const int w = strip.Width() / count;
    return Rect(strip.Left + w * (n - 1), strip.Top, strip.Left + w * n, strip.Bottom);
}

void TskSkinMenuItem::CreateItemImage(TBitmap& B, bool AActive, bool AAnimate)
{
    const TRect source = AAnimate ? AnimationFrameRect() : AActive ? MI->ActiveSkinRect : MI->SkinRect;
    const bool stretch = AActive ? MI->StretchEffect : MI->InActiveStretchEffect || (MI->StretchEffect && AAnimate);
    const int width = ObjectRect.Width();
    if (!AActive && !AAnimate && MI->InActiveTransparent && Parent->FPaintBuffer) {
        B.SetSize(width, ObjectRect.Height());
        B.Canvas()->CopyRect(Rect(0, 0, width, ObjectRect.Height()), Parent->FPaintBuffer->Canvas(), ObjectRect);
    } else {
        CreateHSkinImage(MI->ItemLO, MI->ItemRO, B, *ActivePicture, source, width, stretch);
    }
    TCanvas& C = *B.Canvas();
    TRect T = MI->TextRct;
    T.Right = B.Width() - (MI->SkinRect.Width() - MI->TextRct.Right);
    C.Brush()->SetStyle(bsClear);
    Parent->SetupFont(C);
    TColor color = AActive ? MI->ActiveFontColor : MenuItem->Enabled() ? MI->FontColor : MI->UnEnabledFontColor;
    C.Font()->SetColor(color);
    if (MenuItem->OnDrawItem) {
        MenuItem->OnDrawItem(MenuItem, &C, T, AActive);
        return;
    }
    if (Kind() == TskMenuItemKind::Header) {
        const std::string text = HeaderText(MenuItem->Caption());
        if (const auto band = FindHeaderBand(Parent->SD, {"menuheader", "label"})) {
            const int h = band.Entry->SkinRect.Height();
            DrawHeaderBand(C, band, Point(0, (B.Height() - h) / 2), B.Width(), text);
        } else {
            // Without a band the text still names the group.
            RECT r = Rect(0, 0, B.Width(), B.Height());
            DrawText(C.Handle(), text, &r, kTextFlags | DT_SINGLELINE);
        }
        return;
    }
    DrawTexts(C, T, GlyphColumnWidth(), 16);
    if (HasSubMenu()) {
        if (IsNullRect(MI->ArrowImageRect))
            DrawMenuArrowImage(C, T.Right - 7, T.Top + T.Height() / 2 - 4, color);
        else
            DrawSkinGlyph(C, Rect(T.Right - MI->ArrowImageRect.Width() - 5, T.Top, T.Right, T.Bottom),
                          MI->ArrowImageRect, MI->ActiveArrowImageRect, AActive);
    }
    if (MI->UseImageColor)
        color = AActive ? MI->ActiveImageColor : MI->ImageColor;
    DrawMark(C, T, color, AActive);
}

void TskSkinMenuItem::Draw(TCanvas& Cnvs)
{
    if (!FVisible)
        return;
    if (!MI) {
        DefaultDraw(Cnvs);
        return;
    }
    TBitmap B;
    const bool hot = IsHot();
    if (Kind() == TskMenuItemKind::Divider)
        CreateHSkinImage(MI->DividerLO, MI->DividerRO, B, *ActivePicture, MI->DividerRect, ObjectRect.Width(),
                         MI->DividerStretchEffect);
    else if (EnableAnimation() && CurrentFrame >= 1 && CurrentFrame <= MI->FrameCount)
        CreateItemImage(B, hot, true);
    else if (EnableMorphing() && (hot ? FMorphKf < 1 : FMorphKf > 0))
        CreateMorphImage(B);
    else
        CreateItemImage(B, hot);
    Cnvs.Draw(ObjectRect.Left, ObjectRect.Top, &B);
}

void TskSkinMenuItem::CreateMorphImage(TBitmap& B)
{
    TBitmap normal, hot;
    CreateItemImage(normal, false);
    CreateItemImage(hot, true);
    if (normal.Width() != hot.Width() || normal.Height() != hot.Height()) {
        // Images of two heights do not blend: the state's own shows.
        CreateItemImage(B, IsHot());
        return;
    }
    B.SetSize(normal.Width(), normal.Height());
    DrawMorphed(B, normal, hot, MI->MorphKind, FMorphKf);
}

void TskSkinMenuItem::SetMorphKf(double value)
{
    FMorphKf = std::clamp(value, 0.0, 1.0);
}

bool TskSkinMenuItem::EffectsOn() const
{
    const TskSkinData* data = Parent->SD;
    return MI && data && !data->Empty && data->EnableSkinEffects;
}

bool TskSkinMenuItem::EnableMorphing() const
{
    return EffectsOn() && MI->Morphing;
}

bool TskSkinMenuItem::EnableAnimation() const
{
    // A strip without frames has nothing to play.
    return EffectsOn() && !IsNullRect(MI->AnimateSkinRect) && MI->FrameCount > 0;
}

bool TskSkinMenuItem::CanMorphing()
{
    if (!FVisible) {
        if (FMorphKf != 0) {
            Active = Down = false;
            FMorphKf = 0;
        }
        return false;
    }
    return IsHot() ? FMorphKf < 1 : FMorphKf > 0;
}

void TskSkinMenuItem::DoMorphing()
{
    // Snapped to the step's grid, so five steps always reach either end.
    const double next = FMorphKf + (IsHot() ? kMorphStep : -kMorphStep);
    SetMorphKf(std::nearbyint(next / kMorphStep) * kMorphStep);
    Parent->DrawItemNow(*this);
}

bool TskSkinMenuItem::AnimationStep()
{
    if (Active && CurrentFrame <= MI->FrameCount)
        ++CurrentFrame;
    else if (!Active && CurrentFrame > 0)
        --CurrentFrame;
    else
        return false;
    Parent->DrawItemNow(*this);
    return true;
}

void TskSkinMenuItem::RedrawItem()
{
    TTimer& timer = *Parent->MorphTimer;
    if (EnableAnimation()) {
        timer.SetInterval(MI->AnimateInterval > 0 ? unsigned(MI->AnimateInterval) : kMorphInterval);
        if (!MI->InActiveAnimation && !Active) {
            // Leaving without a backward play shows the normal image at once.
            CurrentFrame = 0;
            Parent->DrawItemNow(*this);
        } else {
            timer.SetEnabled(true);
        }
    } else if (EnableMorphing()) {
        timer.SetInterval(kMorphInterval);
        timer.SetEnabled(true);
    } else {
        Parent->DrawItemNow(*this);
    }
}

void TskSkinMenuItem::MouseEnter(bool Kb)
{
    Active = true;
    if (EnableAnimation())
        CurrentFrame = 0;
    for (auto& other : Parent->ItemList)
        if (other.get() != this && other->Down) {
            other->Down = false;
            other->RedrawItem();
        }
    if (WaitCommand && !Kb) {
        RedrawItem();
    } else if (!Down) {
        RedrawItem();
        Parent->ParentMenu->ProcessItem(Parent, this, false, Kb);
    } else {
        // Back on the row whose sub-menu is open: only deeper levels close.
        TskSkinMenu& engine = *Parent->ParentMenu;
        const int sub = engine.IndexOfWindow(Parent) + 1;
        if (sub < engine.LevelCount() - 1)
            engine.Level(sub)->CloseChildLevels();
    }
    if (Parent->Hint != MenuItem->Hint)
        Parent->Hint = MenuItem->Hint;
}

void TskSkinMenuItem::MouseLeave()
{
    Active = false;
    if (EnableAnimation())
        CurrentFrame = MI->FrameCount + 1;
    WaitCommand = false;
    if (!Down)
        RedrawItem();
    Parent->ParentMenu->CancelWait(this);
}

void TskSkinMenuItem::MouseDown()
{
    WaitCommand = false;
    if (MenuItem->Enabled() && !Down)
        Parent->ParentMenu->ProcessItem(Parent, this, true, false);
}

} // namespace tovrel
