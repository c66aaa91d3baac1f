#include "skin/controls/SkinScrollBox.h"

#include "platform/gdi/Gdi.h"
#include "platform/wm/MessageLoop.h"
#include "platform/wm/Paint.h"
#include "platform/wm/WindowPos.h"
#include "skin/controls/SkinnedView.h"
#include "skin/data/SkinPanelEntries.h"
#include "skin/data/SkinTypes.h"
#include "skin/draw/SkinImageBuilders.h"

#include <algorithm>
#include <utility>

namespace tovrel {

TskSkinScrollBox::TskSkinScrollBox(TComponent* AOwner) : TskSkinCustomControl(AOwner)
{
    ControlStyle.Include(csAcceptsControls);
    SetSkinDataName("scrollbox");
    SetBounds(0, 0, 150, 150);
}

TskSkinScrollBox::~TskSkinScrollBox()
{
    // The bars outlive the box: they must not call back into it.
    DetachBar(FVScrollBar);
    DetachBar(FHScrollBar);
}

void TskSkinScrollBox::DetachBar(TskSkinScrollBar* Bar)
{
    if (!Bar)
        return;
    Bar->OnChange = nullptr;
    Bar->OnLastChange = nullptr;
}

void TskSkinScrollBox::AttachBar(TskSkinScrollBar* Bar, bool Vertical)
{
    if (!Bar)
        return;
    Bar->SetCanFocused(false);
    Bar->OnChange = [this, Vertical](TObject*) { BarChanged(Vertical); };
    Bar->OnLastChange = [this](TObject*) { Invalidate(); };
    Bar->SetEnabled(true);
    Bar->SetVisible(false);
}

void TskSkinScrollBox::SetVScrollBar(TskSkinScrollBar* Value)
{
    if (FVScrollBar.Get() != Value)
        DetachBar(FVScrollBar);
    FVScrollBar = Value;
    FV.Bar = Value;
    AttachBar(Value, true);
    GetVRange();
}

void TskSkinScrollBox::SetHScrollBar(TskSkinScrollBar* Value)
{
    if (FHScrollBar.Get() != Value)
        DetachBar(FHScrollBar);
    FHScrollBar = Value;
    FH.Bar = Value;
    AttachBar(Value, false);
    GetHRange();
}

void TskSkinScrollBox::SetBorderStyle(TskSkinBorderStyle Value)
{
    FBorderStyle = Value;
    if (HandleAllocated())
        RecreateWnd();
}

void TskSkinScrollBox::UpDateScrollRange()
{
    GetHRange();
    GetVRange();
}

void TskSkinScrollBox::GetHRange()
{
    GetRange(false);
}

void TskSkinScrollBox::GetVRange()
{
    GetRange(true);
}

void TskSkinScrollBox::MoveChildren(bool Vertical, int d)
{
    if (d == 0)
        return;
    if (Vertical)
        ScrollBy(0, d);
    else
        ScrollBy(d, 0);
    if (FIndex != -1 && G.Stretch.StretchEffect)
        Invalidate();
}

void TskSkinScrollBox::SetBarVisible(TskSkinScrollBar* Bar, bool Visible)
{
    if (Bar->Visible() == Visible)
        return;
    {
        TskFlagGuard guard(FInCheckScrollBars);
        Bar->SetVisible(Visible);
    }
    if (Align() != alNone && Parent()) {
        TskFlagGuard guard(FInCheckScrollBars);
        Parent()->Realign();
        Realign();
    }
}

void TskSkinScrollBox::GetRange(bool Vertical)
{
    TAxis& a = Axis(Vertical);
    TskSkinScrollBar* bar = a.Bar;
    if (!bar || FInCheckScrollBars || !Parent())
        return;
    const int client = Vertical ? ClientHeight() : ClientWidth();
    int e = 0;
    for (int i = 0; i < ControlCount(); ++i) {
        TControl* c = Controls(i);
        if (c->Visible())
            e = std::max(e, Vertical ? c->Top() + c->Height() : c->Left() + c->Width());
    }
    const int p = bar->Position();
    bool show = false;
    if (p + e > client) {
        show = true;
        const int max = p + e - 1;
        if (p > 0 && e < client && a.SizeOffset > 0) {
            // The box grew while scrolled: close the blank space below the content.
            a.SizeOffset = std::min(a.SizeOffset, p);
            bar->SetRange(0, max, client, p - a.SizeOffset);
            MoveChildren(Vertical, a.SizeOffset);
            if (Vertical)
                a.SizeOffset = 0;
        } else if (a.SizeOffset == 0 && max < bar->Max() && p > 0 && e < client) {
            // The content shrank while scrolled.
            const int d = std::min(p, client - e);
            MoveChildren(Vertical, d);
            bar->SetRange(0, max, client, p - d);
            a.SizeOffset = 0;
        } else {
            bar->SetRange(0, max, client, p);
            a.SizeOffset = 0;
        }
        a.OldPos = bar->Position();
    } else {
        if (p > 0)
            MoveChildren(Vertical, p);
        a.SizeOffset = 0;
        a.OldPos = 0;
        bar->SetRange(0, 0, 0, 0);
    }
    if (FV.Bar && FH.Bar && FH.Bar->Both() != FV.Bar->Visible())
        FH.Bar->SetBoth(FV.Bar->Visible());
    SetBarVisible(bar, show);
}

void TskSkinScrollBox::BarChanged(bool Vertical)
{
    TAxis& a = Axis(Vertical);
    if (!a.Bar)
        return;
    const int pos = a.Bar->Position();
    MoveChildren(Vertical, -(pos - a.OldPos));
    a.OldPos = pos;
}

void TskSkinScrollBox::HScroll(int APosition)
{
    if (FH.Bar && FH.Bar->PageSize() != 0)
        FH.Bar->SetPosition(APosition);
}

void TskSkinScrollBox::VScroll(int APosition)
{
    if (!FV.Bar || FV.Bar->PageSize() == 0)
        return;
    // The bar's own limit (Max - PageSize + 1), as HScroll: the last position is reachable.
    FV.Bar->SetPosition(APosition);
}

// Every resize passes here, also the parent's alignment, which does not go
// through SetBounds: a growth is remembered for the range update.
void TskSkinScrollBox::Resized()
{
    const int oldWidth = std::exchange(FLastSize.cx, Width()), oldHeight = std::exchange(FLastSize.cy, Height());
    FH.SizeOffset = oldWidth != 0 && Width() > oldWidth ? Width() - oldWidth : 0;
    FV.SizeOffset = oldHeight != 0 && Height() > oldHeight ? Height() - oldHeight : 0;
    GetHRange();
    GetVRange();
}

void TskSkinScrollBox::AdjustClientRect(TRect& R) const
{
    const TskSkinScrollBar* v = FV.Bar;
    const TskSkinScrollBar* h = FH.Bar;
    const bool vShown = v && v->Visible(), hShown = h && h->Visible();
    const int top = vShown ? -v->Position() : 0;
    const int height = vShown ? std::max(v->Max(), ClientHeight()) : ClientHeight();
    const int left = hShown ? -h->Position() : 0;
    const int width = hShown ? std::max(h->Max(), ClientWidth()) : ClientWidth();
    R = Rect(left, top, left + width, top + height);
    TskSkinCustomControl::AdjustClientRect(R);
}

void TskSkinScrollBox::GetSkinData()
{
    TskSkinCustomControl::GetSkinData();
    BGPictureIndex = -1;
    if (FIndex != -1)
        if (const auto* e =
                dynamic_cast<const TskDataSkinScrollBoxControl*>(SkinData()->CtrlList[std::size_t(FIndex)].get()))
            BGPictureIndex = e->BGPictureIndex;
}

void TskSkinScrollBox::ChangeSkinData()
{
    TskSkinCustomControl::ChangeSkinData();
    if (HandleAllocated())
        RecreateWnd();
    for (TskSkinScrollBar* bar : {FV.Bar, FH.Bar})
        if (bar)
            bar->SetAlign(bar->Align());
}

bool TskSkinScrollBox::HasFrame() const
{
    return BGPictureIndex == -1 && FBorderStyle != TskSkinBorderStyle::bvNone;
}

void TskSkinScrollBox::NcCalcSize(TMessage& message)
{
    GetSkinData();
    RECT* r =
        message.WParam ? &FromLParam<NCCALCSIZE_PARAMS>(message.LParam)->rgrc[0] : FromLParam<RECT>(message.LParam);
    message.Result = 0;
    if (!r || !HasFrame())
        return;
    if (FIndex == -1) {
        *r = Rect(r->Left + 1, r->Top + 1, r->Right - 1, r->Bottom - 1);
        return;
    }
    *r = Rect(r->Left + G.ClRect.Left, r->Top + G.ClRect.Top, r->Right - (G.SkinRect.Width() - G.ClRect.Right),
              r->Bottom - (G.SkinRect.Height() - G.ClRect.Bottom));
}

void TskSkinScrollBox::PaintFrame(HDC dc)
{
    GetSkinData();
    if (!HasFrame())
        return;
    TCanvas c;
    c.SetHandle(dc);
    const int w = Width(), h = Height();
    if (FIndex == -1) {
        TColor topLeft = clBtnShadow, bottomRight = clBtnShadow;
        if (FBorderStyle == TskSkinBorderStyle::bvRaised)
            bottomRight = clBtnHighlight;
        else if (FBorderStyle == TskSkinBorderStyle::bvLowered)
            topLeft = clBtnHighlight;
        c.Pen()->SetColor(topLeft);
        c.MoveTo(0, h - 1);
        c.LineTo(0, 0);
        c.LineTo(w - 1, 0);
        c.Pen()->SetColor(bottomRight);
        c.LineTo(w - 1, h - 1);
        c.LineTo(0, h - 1);
    } else if (G.Picture) {
        const TskSkinCorners skin{G.LTPt, G.RTPt, G.LBPt, G.RBPt, G.ClRect};
        const TskSkinCorners fresh = NewSkinCorners(skin, {G.SkinRect.Width(), G.SkinRect.Height()}, {w, h});
        TBitmap left, top, right, bottom;
        CreateSkinBorderImages(skin, fresh, TskBorderImages<TBitmap>{left, top, right, bottom}, *G.Picture, G.SkinRect,
                               w, h, G.Stretch);
        c.Draw(0, 0, &top);
        c.Draw(0, top.Height(), &left);
        c.Draw(w - right.Width(), top.Height(), &right);
        c.Draw(0, h - bottom.Height(), &bottom);
    }
    c.SetHandle(nullptr);
}

void TskSkinScrollBox::CreateControlDefaultImage(TBitmap& B)
{
    B.Canvas()->Brush()->SetColor(Color());
    B.Canvas()->FillRect(Rect(0, 0, B.Width(), B.Height()));
}

void TskSkinScrollBox::Paint()
{
    GetSkinData();
    if (FIndex == -1) {
        TskSkinCustomControl::Paint();
        return;
    }
    const int cw = ClientWidth(), ch = ClientHeight();
    if (cw < 1 || ch < 1)
        return;
    TBitmap piece;
    if (BGPictureIndex == -1) {
        if (!G.Picture)
            return;
        const TRect cl = Rect(G.SkinRect.Left + G.ClRect.Left, G.SkinRect.Top + G.ClRect.Top,
                              G.SkinRect.Left + G.ClRect.Right, G.SkinRect.Top + G.ClRect.Bottom);
        piece.SetSize(cl.Width(), cl.Height());
        piece.Canvas()->CopyRect(Rect(0, 0, cl.Width(), cl.Height()), G.Picture->Canvas(), cl);
    } else if (TBitmap* whole = SkinData()->ActivePicture(BGPictureIndex)) {
        piece.Assign(whole);
    }
    // A piece without area cannot be tiled: the background is left alone.
    if (piece.Width() < 1 || piece.Height() < 1)
        return;
    TCanvas& c = *Canvas();
    const int pw = piece.Width(), ph = piece.Height();
    if (!G.Stretch.StretchEffect) {
        for (int y = 0; y < ch; y += ph)
            for (int x = 0; x < cw; x += pw)
                c.Draw(x, y, &piece);
        return;
    }
    switch (G.Stretch.StretchType) {
    case TskStretchType::skstHorz:
        // Stretched to the height, repeated across.
        for (int x = 0; x < cw; x += pw)
            c.StretchDraw(Rect(x, 0, x + pw, ch), &piece);
        break;
    case TskStretchType::skstVert:
        for (int y = 0; y < ch; y += ph)
            c.StretchDraw(Rect(0, y, cw, y + ph), &piece);
        break;
    default: c.StretchDraw(Rect(0, 0, cw, ch), &piece); break;
    }
}

void TskSkinScrollBox::WndProc(TMessage& message)
{
    if (CanFocused && FocusClickSwallows(message))
        return;
    switch (message.Msg) {
    case WM_NCCALCSIZE: NcCalcSize(message); return;
    case WM_NCPAINT: {
        HDC dc = GetWindowDC(Handle());
        PaintFrame(dc);
        ReleaseDC(Handle(), dc);
        message.Result = 0;
        return;
    }
    case WM_SIZE:
        TskSkinCustomControl::WndProc(message);
        Resized();
        SendMessage(Handle(), WM_NCPAINT, 0, 0);
        return;
    case CM_VISIBLECHANGED:
        TskSkinCustomControl::WndProc(message);
        for (TskSkinScrollBar* bar : {FV.Bar, FH.Bar})
            if (bar)
                bar->SetVisible(Visible());
        return;
    case SkinPaintToMessage:
        message.Result = 0;
        if (message.WParam && HasFrame()) {
            PaintFrame(reinterpret_cast<HDC>(message.WParam));
            message.Result = SkinPaintDoneResult;
        }
        return;
    default: TskSkinCustomControl::WndProc(message); return;
    }
}

} // namespace tovrel
