// The skinned list view's column header: the platform header window's
// procedure is replaced so that every section and the filler after the last
// one are drawn from a button entry (or in the default look), pressed while
// held, and redrawn while a divider is dragged.
#include "platform/ctrls/Header.h"
#include "platform/gdi/SysColors.h"
#include "platform/wm/MessageLoop.h"
#include "platform/wm/Paint.h"
#include "platform/wm/Wm.h"
#include "skin/controls/SkinEntryLookup.h"
#include "skin/controls/SkinListView.h"
#include "skin/data/SkinButtonEntries.h"
#include "skin/data/SkinData.h"
#include "skin/draw/TextHelpers.h"

#include <algorithm>
#include <vector>

namespace tovrel {

namespace {

// The list view that took the header over, kept with the header window.
constexpr char kOwnerProp[] = "TovrelSkinListView";
// The header is made wider than asked, so that its filler reaches past the last pixel.
constexpr int kExtraHeaderWidth = 25;

bool IsNull(const TRect& r)
{
    return r.Width() <= 0 || r.Height() <= 0;
}

} // namespace

LRESULT SkinHeaderProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    auto* list = static_cast<TskSkinCustomListView*>(GetProp(hwnd, kOwnerProp));
    if (!list)
        return DefWindowProc(hwnd, msg, wParam, lParam);
    TMessage message{msg, wParam, lParam, 0};
    list->HeaderWndProc(message);
    return message.Result;
}

void TskSkinCustomListView::HeaderCreated(HWND Child)
{
    if (!ShowColumnHeaders() || GetClassNameString(Child) != kHeaderClassName)
        return;
    ReleaseHeader();
    FHeaderHandle = Child;
    SetProp(Child, kOwnerProp, this);
    FDefHeaderProc = WndProcOf(SetWindowLongPtr(Child, GWLP_WNDPROC, LongOf(&SkinHeaderProc)));
}

void TskSkinCustomListView::ReleaseHeader()
{
    if (FHeaderHandle && IsWindow(FHeaderHandle)) {
        SetWindowLongPtr(FHeaderHandle, GWLP_WNDPROC, LongOf(FDefHeaderProc));
        RemoveProp(FHeaderHandle, kOwnerProp);
    }
    FHeaderHandle = nullptr;
}

void TskSkinCustomListView::InvalidateHeader(bool Erase)
{
    if (FHeaderHandle)
        InvalidateRect(FHeaderHandle, nullptr, Erase);
}

void TskSkinCustomListView::HeaderWndProc(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_WINDOWPOSCHANGING: {
        auto* pos = reinterpret_cast<WINDOWPOS*>(Message.LParam);
        if (!(pos->flags & SWP_NOSIZE))
            pos->cx += kExtraHeaderWidth;
        return;
    }
    case WM_PAINT: PaintHeader(HDC(Message.WParam)); return;
    case WM_ERASEBKGND: Message.Result = 1; return;
    default: break;
    }
    const HWND header = FHeaderHandle;
    Message.Result = CallWindowProc(FDefHeaderProc, header, Message.Msg, Message.WParam, Message.LParam);
    switch (Message.Msg) {
    case WM_MOUSEMOVE:
        if (FDevDown)
            InvalidateHeader(false);
        break;
    case WM_LBUTTONDOWN: {
        const TPoint p{short(LOWORD(Message.LParam)), short(HIWORD(Message.LParam))};
        FActiveSection = -1;
        for (int i = 0; i < Columns()->Count(); ++i)
            if (GetHeaderSectionRect(i).Contains(p)) {
                FActiveSection = i;
                break;
            }
        HDHITTESTINFO hit;
        hit.pt = p;
        SendMessage(header, HDM_HITTEST, 0, LPARAM(&hit));
        FDevDown = hit.flags == HHT_ONDIVIDER;
        FHeaderDown = !FDevDown;
        InvalidateHeader(false);
        break;
    }
    case WM_LBUTTONUP:
        FHeaderDown = false;
        FDevDown = false;
        FActiveSection = -1;
        InvalidateHeader(false);
        break;
    default: break;
    }
}

void TskSkinCustomListView::GetHeaderSkinData()
{
    FHIndex = FindSkinEntry(FSD, HeaderSkinDataName);
    HPicture = nullptr;
    if (FHIndex == -1)
        return;
    const auto* e = dynamic_cast<const TskDataSkinButtonControl*>(FSD->CtrlList[std::size_t(FHIndex)].get());
    if (!e)
        return;
    HLTPt = e->LTPoint;
    HRTPt = e->RTPoint;
    HLBPt = e->LBPoint;
    HRBPt = e->RBPoint;
    HSkinRect = e->SkinRect;
    HClRect = e->ClRect;
    HStretch = TskStretchFlags{e->LeftStretch,   e->TopStretch,    e->RightStretch,
                               e->BottomStretch, e->StretchEffect, e->StretchType};
    if (e->PictureIndex >= 0 && std::size_t(e->PictureIndex) < FSD->FActivePictures.size())
        HPicture = FSD->FActivePictures[std::size_t(e->PictureIndex)].get();
    HFontColor = e->FontColor;
    HDownFontColor = e->DownFontColor;
    HActiveSkinRect = IsNull(e->ActiveSkinRect) ? HSkinRect : e->ActiveSkinRect;
    HDownSkinRect = IsNull(e->DownSkinRect) ? HActiveSkinRect : e->DownSkinRect;
}

TRect TskSkinCustomListView::GetHeaderSectionRect(int Index)
{
    int item = Index;
    if (GetWindowLong(FHeaderHandle, GWL_STYLE) & HDS_FULLDRAG) {
        std::vector<int> order(std::size_t(std::max(0, Columns()->Count())));
        if (Index < 0 || std::size_t(Index) >= order.size())
            return TRect{};
        SendMessage(FHeaderHandle, HDM_GETORDERARRAY, WPARAM(order.size()), LPARAM(order.data()));
        item = order[std::size_t(Index)];
    }
    RECT r{};
    SendMessage(FHeaderHandle, HDM_GETITEMRECT, WPARAM(item), LPARAM(&r));
    return TRect{r.Left, r.Top, r.Right, r.Bottom};
}

void TskSkinCustomListView::BuildHeaderImage(TBitmap& B, const TRect& S, bool Filler)
{
    const int w = B.Width(), h = B.Height();
    if (HLBPt.X == 0 && HLBPt.Y == 0) {
        // A strip as high as the entry, stretched to the header's height.
        TBitmap strip;
        if (Filler)
            CreateHSkinImage2(HLTPt.X, S.Width() - HRTPt.X, strip, *HPicture, S, w, HStretch.StretchEffect);
        else
            CreateHSkinImage(HLTPt.X, S.Width() - HRTPt.X, strip, *HPicture, S, w, HStretch.StretchEffect);
        B.Canvas()->StretchDraw(TRect{0, 0, w, h}, &strip);
        return;
    }
    const TskSkinCorners skin{HLTPt, HRTPt, HLBPt, HRBPt, HClRect};
    const TskSkinCorners fresh = NewSkinCorners(skin, TSize{HSkinRect.Width(), HSkinRect.Height()}, TSize{w, h});
    // The filler leaves out the right-hand column: it runs on past the header's end.
    if (Filler)
        CreateSkinImage3(skin, fresh, B, *HPicture, S, w, h, true, HStretch);
    else
        CreateSkinImage(skin, fresh, B, *HPicture, S, w, h, true, HStretch);
}

void TskSkinCustomListView::DrawHeaderSection(TCanvas& Canvas, TListColumn* Column, const TRect& R, bool Pressed)
{
    if (R.Width() <= 0 || R.Height() <= 0)
        return;
    TBitmap B(R.Width(), R.Height());
    const TRect R0{0, 0, R.Width(), R.Height()};
    TCanvas& c = *B.Canvas();
    GetHeaderSkinData();
    if (FHIndex == -1 || !HPicture) {
        // Also an entry of another kind or without its picture: the default look stays drawable.
        c.Brush()->SetColor(Pressed ? TColor(0x800000) : clBtnShadow);
        c.FrameRect(R0);
        c.Brush()->SetColor(Pressed ? TColor(0xB59385) : clBtnFace);
        c.FillRect(TRect{1, 1, R0.Right - 1, R0.Bottom - 1});
        c.SetFont(Font());
        c.Font()->SetColor(clBtnText);
    } else {
        c.SetFont(Font());
        c.Font()->SetColor(Pressed ? HDownFontColor : HFontColor);
        BuildHeaderImage(B, Pressed ? HDownSkinRect : HSkinRect, false);
    }
    if (OnDrawHeaderSection)
        OnDrawHeaderSection(&c, Column, Pressed, R0);
    else
        DrawHeaderCaption(c, Column, R0);
    Canvas.Draw(R.Left, R.Top, &B);
}

void TskSkinCustomListView::DrawHeaderCaption(TCanvas& Canvas, TListColumn* Column, TRect R0)
{
    if (!Column)
        return;
    Canvas.Brush()->SetStyle(bsClear);
    R0.Left += 5;
    R0.Right -= 5;
    std::string text = Column->Caption();
    const int width = R0.Width();
    TCustomImageList* images = SmallImages();
    const bool image = images && Column->ImageIndex() >= 0 && Column->ImageIndex() < images->Count();
    // The image and a 10-pixel gap come before the text.
    const int imageSpace = image ? images->Width() + 10 : 0;
    const std::string full = text;
    FitTextToWidth(Canvas.Handle(), text, width - imageSpace);
    const int textWidth = Canvas.TextWidth(text);
    int x = R0.Left;
    // With an image, right and centre alignment apply only to a caption that fits.
    if (!image || text == full) {
        if (Column->Alignment() == taRightJustify)
            x = R0.Right - textWidth - imageSpace;
        else if (Column->Alignment() == taCenter)
            x = R0.Left + width / 2 - (textWidth + imageSpace) / 2;
    }
    if (image) {
        images->Draw(&Canvas, x, R0.Top + R0.Height() / 2 - images->Height() / 2, Column->ImageIndex(), true);
        x += imageSpace;
    }
    const int y = R0.Top + R0.Height() / 2 - Canvas.TextHeight(text) / 2;
    Canvas.TextRect(R0, x, y, text);
}

void TskSkinCustomListView::DrawHeaderFiller(TCanvas& Canvas, const TRect& F)
{
    GetHeaderSkinData();
    if (FHIndex == -1 || !HPicture) {
        Canvas.Brush()->SetColor(clBtnFace);
        Canvas.FillRect(F);
        Canvas.Brush()->SetColor(clBtnShadow);
        Canvas.FrameRect(F);
        return;
    }
    TBitmap B(F.Width(), F.Height());
    BuildHeaderImage(B, HSkinRect, true);
    Canvas.Draw(F.Left, F.Top, &B);
}

void TskSkinCustomListView::PaintHeader(HDC DC)
{
    const HWND header = FHeaderHandle;
    PAINTSTRUCT ps{};
    // A DC handed in stays the caller's: only one begun here is ended here.
    const HDC dc = DC ? DC : BeginPaint(header, &ps);
    {
        TCanvas canvas;
        canvas.SetHandle(dc);
        int x = 0;
        const int count = int(SendMessage(header, HDM_GETITEMCOUNT, 0, 0));
        for (int i = 0; i < count; ++i) {
            const TRect r = GetHeaderSectionRect(i);
            TListColumn* column = i < Columns()->Count() ? Columns()->Items(i) : nullptr;
            DrawHeaderSection(canvas, column, r, i == FActiveSection && FHeaderDown);
            x = std::max(x, r.Right);
        }
        RECT client{};
        GetClientRect(header, &client);
        const TRect filler{x, 0, client.Right + 1, client.Bottom};
        if (filler.Left < filler.Right && filler.Top < filler.Bottom)
            DrawHeaderFiller(canvas, filler);
        canvas.SetHandle(nullptr);
    }
    if (!DC)
        EndPaint(header, &ps);
}

} // namespace tovrel
