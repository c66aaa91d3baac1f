#include "skin/forms/LayerBorder.h"

#include <algorithm>
#include <cmath>

#include "platform/vcl/Bitmap.h"
#include "platform/vcl/Canvas.h"
#include "platform/vcl/Forms.h"
#include "platform/wm/Input.h"
#include "platform/wm/Layered.h"
#include "platform/wm/Styles.h"
#include "platform/wm/Timers.h"
#include "platform/wm/Wm.h"
#include "skin/data/SkinData.h"
#include "skin/data/SkinFixedEntries.h"
#include "skin/data/SkinGeometry.h"
#include "skin/draw/BitmapStretch.h"
#include "skin/draw/SkinBitmap.h"
#include "skin/forms/PlainWindowClass.h"
#include "skin/forms/SkinForm.h"

namespace tovrel {

namespace {

constexpr const char* kLayerWindowClass = "TskFormLayerWindow";
constexpr ULONG_PTR kAnimationTimer = 1;
constexpr UINT kAnimationInterval = 6;
constexpr TskFormLayerBorderType kShowOrder[] = {TskFormLayerBorderType::skflTop, TskFormLayerBorderType::skflBottom,
                                                 TskFormLayerBorderType::skflLeft, TskFormLayerBorderType::skflRight};

// A 32-bit copy of the picture whose alpha comes from the mask (white =
// opaque); null when the skin lacks either.
std::unique_ptr<TskBitmap> AlphaPicture(const TskSkinData& sd, int picture, int mask)
{
    TBitmap* p = sd.ActivePicture(picture);
    TBitmap* m = sd.ActivePicture(mask);
    if (!p || p->Empty() || !m || m->Empty())
        return nullptr;
    auto bmp = std::make_unique<TskBitmap>();
    bmp->Assign(p);
    TskBitmap alpha;
    alpha.Assign(m);
    SetAlphaFromMask(*bmp, alpha);
    bmp->CheckingAlphaBlend();
    return bmp;
}

void Copy(TskBitmap& dst, TRect to, TskBitmap& src, TRect from)
{
    if (!to.IsEmpty() && !from.IsEmpty())
        StretchRows(TskRowOp::Copy, dst, to, to, from, src);
}

// Columns 0..a and b..Pw of rows `rows` at the two ends, a..b stretched between.
void CopyBand(TskBitmap& dst, TskBitmap& src, int a, int b, int top, int bottom)
{
    const int w = dst.Width(), h = dst.Height(), pw = src.Width();
    Copy(dst, {0, 0, a, h}, src, {0, top, a, bottom});
    Copy(dst, {w - (pw - b), 0, w, h}, src, {b, top, pw, bottom});
    Copy(dst, {a, 0, w - (pw - b), h}, src, {a, top, b, bottom});
}

// The strip of columns left..right between the corners repeated downward.
void TileStrip(TskBitmap& dst, TskBitmap& src, int left, int right, int top, int bottom)
{
    const int sh = bottom - top;
    for (int y = 0; y < dst.Height(); y += sh) {
        const int rows = std::min(sh, dst.Height() - y);
        Copy(dst, {0, y, dst.Width(), y + rows}, src, {left, top, right, top + rows});
    }
}

// The image with its own alpha scaled by `alpha` as the window's content at
// the window's place, straight through the window layer: the border exists
// only where the layer has layered windows.
void PushImage(HWND wnd, const TskBitmap& image, std::uint8_t alpha)
{
    RECT r{};
    GetWindowRect(wnd, &r);
    const POINT at{r.Left, r.Top}, origin{0, 0};
    const SIZE size{image.Width(), image.Height()};
    BLENDFUNCTION blend{};
    blend.BlendOp = AC_SRC_OVER;
    blend.SourceConstantAlpha = alpha;
    blend.AlphaFormat = AC_SRC_ALPHA;
    UpdateLayeredWindow(wnd, nullptr, &at, &size, image.DC(), &origin, 0, &blend, ULW_ALPHA);
}

HCURSOR CursorFor(TskFormLayerBorderHit hit)
{
    using H = TskFormLayerBorderHit;
    switch (hit) {
    case H::skflhLeft:
    case H::skflhRight: return LoadCursor(nullptr, IDC_SIZEWE);
    case H::skflhTop:
    case H::skflhBottom: return LoadCursor(nullptr, IDC_SIZENS);
    case H::skflhTopLeft:
    case H::skflhBottomRight: return LoadCursor(nullptr, IDC_SIZENWSE);
    case H::skflhTopRight:
    case H::skflhBottomLeft: return LoadCursor(nullptr, IDC_SIZENESW);
    case H::skflhNone: break;
    }
    return LoadCursor(nullptr, IDC_ARROW);
}

// Where the pointer was when the message being handled was made.
TPoint CursorPoint()
{
    const DWORD pos = GetMessagePos();
    return {GET_X_LPARAM(LPARAM(pos)), GET_Y_LPARAM(LPARAM(pos))};
}

} // namespace

// The border windows' mouse: resize zones, cursors and the drag.
struct TskFormLayerWindowProc {
    TskFormLayerBorder& B;
    TskFormLayerBorderType Type;

    static LRESULT Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
    {
        auto* border = reinterpret_cast<TskFormLayerBorder*>(GetWindowLongPtr(hwnd, GWLP_USERDATA));
        if (!border)
            return DefWindowProc(hwnd, message, wParam, lParam);
        if (message == WM_TIMER && wParam == kAnimationTimer) {
            border->AnimationStep();
            return 0;
        }
        const auto it = std::find(border->FWindows.begin(), border->FWindows.end(), hwnd);
        if (it == border->FWindows.end())
            return DefWindowProc(hwnd, message, wParam, lParam);
        TskFormLayerWindowProc self{*border, TskFormLayerBorderType(it - border->FWindows.begin())};
        LRESULT result = 0;
        if (self.Handle(hwnd, message, result))
            return result;
        return DefWindowProc(hwnd, message, wParam, lParam);
    }

    bool HitTestEnable() const { return B.FData->HitTestEnable; }
    bool CanSizeByBorder() const
    {
        return B.BSF->CanResize() && !B.BSF->RollUpState() && B.BSF->WindowState() == wsNormal;
    }
    TskFormLayerBorderHit& HitMode() { return B.FHitMode[std::size_t(Type)]; }
    TskFormLayerBorderHit GetHitMode() const
    {
        return LayerBorderHitMode(Type, CursorPoint(), B.FForm->BoundsRect(), B.FZones);
    }

    bool Handle(HWND hwnd, UINT message, LRESULT& result)
    {
        switch (message) {
        case WM_MOUSEACTIVATE:
            result = MA_NOACTIVATE;
            if (HitTestEnable()) {
                HitMode() = GetHitMode();
                if (HitMode() != TskFormLayerBorderHit::skflhNone && !B.FForm->Active())
                    B.FForm->Show();
            }
            return true;
        case WM_SETCURSOR:
            if (!HitTestEnable())
                return false;
            SetCursor(CursorFor(CanSizeByBorder() ? HitMode() : TskFormLayerBorderHit::skflhNone));
            result = 1;
            return true;
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN:
            if (HitTestEnable() && CanSizeByBorder()) {
                B.FDown = GetHitMode() != TskFormLayerBorderHit::skflhNone;
                B.MousePos1 = CursorPoint();
                if (B.FDown)
                    SetCapture(hwnd);
            }
            return true;
        case WM_LBUTTONUP:
        case WM_RBUTTONUP:
        case WM_MBUTTONUP:
            B.BSF->FBorderLayerChangeSize = false;
            if (HitTestEnable() && CanSizeByBorder())
                B.FDown = false;
            if (GetCapture() == hwnd)
                ReleaseCapture();
            return true;
        case WM_MOUSEMOVE: MouseMove(); return true;
        default: return false;
        }
    }

    void MouseMove()
    {
        if (!HitTestEnable())
            return;
        if (!CanSizeByBorder()) {
            HitMode() = TskFormLayerBorderHit::skflhNone;
            SetCursor(CursorFor(HitMode()));
            return;
        }
        const TPoint p = CursorPoint();
        const int dx = p.X - B.MousePos1.X, dy = p.Y - B.MousePos1.Y;
        // A step refused at a limit is not carried over to the next move.
        B.MousePos1 = p;
        if (!B.FDown) {
            B.BSF->FBorderLayerChangeSize = false;
            HitMode() = GetHitMode();
            SetCursor(CursorFor(HitMode()));
            return;
        }
        B.BSF->FBorderLayerChangeSize = true;
        const TskSizeLimits limits{B.BSF->GetMinWidth(), B.BSF->GetMinHeight(), B.BSF->GetMaxWidth(),
                                   B.BSF->GetMaxHeight()};
        if (auto bounds = LayerBorderDragBounds(HitMode(), dx, dy, B.FForm->BoundsRect(), limits))
            B.FForm->SetBounds(bounds->Left, bounds->Top, bounds->Width(), bounds->Height());
    }
};

TskFormLayerBorder::TskFormLayerBorder(TskSkinForm* AOwner) : BSF(AOwner) {}

TskFormLayerBorder::~TskFormLayerBorder()
{
    DestroyWindows();
}

void TskFormLayerBorder::InitFrame(TskSkinData* ASkinData, TCustomForm* AForm)
{
    FForm = AForm;
    FSD = ASkinData;
    FData = nullptr;
    FSourceBitmap.reset();
    FSourceInActiveBitMap.reset();
    if (!ASkinData || ASkinData->Empty || ASkinData->LayerFrame.PictureIndex == -1)
        return;
    const TskDataSkinLayerFrame& e = ASkinData->LayerFrame;
    // An entry naming pictures the skin lacks counts as none.
    FSourceBitmap = AlphaPicture(*ASkinData, e.PictureIndex, e.MaskPictureIndex);
    if (!FSourceBitmap)
        return;
    if (e.InActivePictureIndex != -1)
        FSourceInActiveBitMap = AlphaPicture(*ASkinData, e.InActivePictureIndex, e.InActiveMaskPictureIndex);
    FData = &e;
    FCurrentAlphaBlendValue = e.AlphaBlendValue;
    FCurrentInActiveAlphaBlendValue = e.InActiveAlphaBlendValue;
    FZones = LayerBorderZones(e);
}

TRect TskFormLayerBorder::FormBounds() const
{
    return FForm->BoundsRect();
}

TskLayerBorderGeometry TskFormLayerBorder::Geometry(TRect F) const
{
    return CalcLayerBorder(*FData, {FSourceBitmap->Width(), FSourceBitmap->Height()}, F);
}

int TskFormLayerBorder::Opacity() const
{
    return std::clamp(FActive ? FCurrentAlphaBlendValue : FCurrentInActiveAlphaBlendValue, 0, 255);
}

TskFormLayerBorder::TImages TskFormLayerBorder::BuildImages(const TskLayerBorderGeometry& g, TRect F) const
{
    TImages images;
    TskBitmap& s = !FActive && FSourceInActiveBitMap ? *FSourceInActiveBitMap : *FSourceBitmap;
    const TskDataSkinLayerFrame& e = *FData;
    const int ph = s.Height();
    for (auto type : kShowOrder) {
        const TRect r = g.Window(type);
        auto& image = images[std::size_t(type)];
        image = std::make_unique<TskBitmap>();
        if (r.IsEmpty())
            continue;
        image->SetSize(r.Width(), r.Height());
        switch (type) {
        case TskFormLayerBorderType::skflTop: CopyBand(*image, s, e.LTPoint.X, e.RTPoint.X, 0, g.TopHeight); break;
        case TskFormLayerBorderType::skflBottom:
            CopyBand(*image, s, e.LBPoint.X, e.RBPoint.X, ph - g.BottomHeight, ph);
            break;
        case TskFormLayerBorderType::skflLeft:
            TileStrip(*image, s, 0, e.ClRect.Left, g.TopHeight, ph - g.BottomHeight);
            break;
        case TskFormLayerBorderType::skflRight:
            TileStrip(*image, s, e.ClRect.Right, s.Width(), g.TopHeight, ph - g.BottomHeight);
            break;
        }
        // The form covers its own rectangle: the border shows only around it,
        // and the pointer passes to the form there.
        const TRect inner = IntersectRects(F, r);
        if (!inner.IsEmpty())
            image->FillRect({inner.Left - r.Left, inner.Top - r.Top, inner.Right - r.Left, inner.Bottom - r.Top}, 0);
        image->CheckingAlphaBlend();
    }
    return images;
}

void TskFormLayerBorder::CreateBorderImages(TRect F)
{
    FShownFor = F;
    FGeometry = Geometry(F);
    FImages = BuildImages(FGeometry, F);
}

void TskFormLayerBorder::UpdateWindow(TskFormLayerBorderType Type, bool Place)
{
    const HWND wnd = FWindows[std::size_t(Type)];
    const TskBitmap* image = FImages[std::size_t(Type)].get();
    if (!wnd || !image || image->Empty())
        return;
    const TRect r = FGeometry.Window(Type);
    // The content goes to the window at its new place before it shows.
    if (Place)
        SetWindowPos(wnd, nullptr, r.Left, r.Top, 0, 0, SWP_NOACTIVATE | SWP_NOSIZE | SWP_NOZORDER);
    PushImage(wnd, *image, std::uint8_t(Opacity()));
    if (Place) {
        const bool topMost = FForm->FormStyle() == fsStayOnTop;
        SetWindowPos(wnd, topMost ? HWND_TOPMOST : HWND_TOP, r.Left, r.Top, 0, 0,
                     SWP_SHOWWINDOW | SWP_NOACTIVATE | SWP_NOSIZE);
    }
}

void TskFormLayerBorder::DestroyWindows()
{
    for (HWND& wnd : FWindows) {
        if (!wnd)
            continue;
        SetWindowLongPtr(wnd, GWLP_USERDATA, 0);
        DestroyWindow(wnd);
        wnd = nullptr;
    }
    FDown = false;
}

void TskFormLayerBorder::Show(TRect F)
{
    if (!FData)
        return;
    FVisible = true;
    CreateBorderImages(F);
    DestroyWindows();
    RegisterPlainWindowClass(kLayerWindowClass, &TskFormLayerWindowProc::Proc);
    DWORD ex = WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE | WS_EX_LAYERED;
    if (IsNullRect(FData->BorderRect))
        ex |= WS_EX_TRANSPARENT;
    for (auto type : {TskFormLayerBorderType::skflLeft, TskFormLayerBorderType::skflRight,
                      TskFormLayerBorderType::skflTop, TskFormLayerBorderType::skflBottom}) {
        const TRect r = FGeometry.Window(type);
        if (r.IsEmpty())
            continue;
        HWND wnd = CreateWindowEx(ex, kLayerWindowClass, "", WS_POPUP, r.Left, r.Top, r.Width(), r.Height(), nullptr,
                                  nullptr, nullptr, nullptr);
        if (wnd)
            SetWindowLongPtr(wnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
        FWindows[std::size_t(type)] = wnd;
    }
    for (auto type : kShowOrder)
        UpdateWindow(type, true);
}

void TskFormLayerBorder::Hide()
{
    FVisible = false;
    for (auto& image : FImages)
        image.reset();
    DestroyWindows();
    // A fade cut short leaves the opacity it was heading for.
    if (FAnimating) {
        FAnimating = false;
        FCurrentAlphaBlendValue = FAnimationTarget;
    }
}

void TskFormLayerBorder::SetBounds(TRect F)
{
    if (!FData || !FVisible)
        return;
    CreateBorderImages(F);
    for (auto type : kShowOrder)
        UpdateWindow(type, true);
}

void TskFormLayerBorder::ShowWithForm()
{
    if (FData)
        Show(FormBounds());
}

void TskFormLayerBorder::SetBoundsWithForm()
{
    if (FData)
        SetBounds(FormBounds());
}

void TskFormLayerBorder::SetBoundsWithForm3(int ALeft, int ATop, int AWidth, int AHeight)
{
    SetBounds({ALeft, ATop, ALeft + AWidth, ATop + AHeight});
}

void TskFormLayerBorder::MoveWithForm()
{
    if (FData)
        MoveWithForm2(FForm->Left(), FForm->Top());
}

void TskFormLayerBorder::MoveWithForm2(int ALeft, int ATop)
{
    if (!FData || !FVisible)
        return;
    const TRect f = FormBounds();
    FShownFor = {ALeft, ATop, ALeft + f.Width(), ATop + f.Height()};
    FGeometry = Geometry(FShownFor);
    for (auto type : kShowOrder)
        if (const HWND wnd = FWindows[std::size_t(type)]) {
            const TRect r = FGeometry.Window(type);
            SetWindowPos(wnd, nullptr, r.Left, r.Top, 0, 0, SWP_NOACTIVATE | SWP_NOSIZE | SWP_NOZORDER);
        }
}

void TskFormLayerBorder::SetAlphaBlend()
{
    if (!FData || !FVisible)
        return;
    for (auto type : kShowOrder)
        UpdateWindow(type, false);
}

void TskFormLayerBorder::SetAlphaBlend2()
{
    if (!FData || !FVisible)
        return;
    SetAlphaBlend();
    MoveWithForm();
}

void TskFormLayerBorder::CheckFormAlpha(int AFormAlpha, bool AUpdate)
{
    if (!FData)
        return;
    // Rounded to nearest, halves to even.
    FCurrentAlphaBlendValue = int(std::nearbyint(FData->AlphaBlendValue * AFormAlpha / 255.0));
    FCurrentInActiveAlphaBlendValue = int(std::nearbyint(FData->InActiveAlphaBlendValue * AFormAlpha / 255.0));
    if (AUpdate)
        SetAlphaBlend();
}

void TskFormLayerBorder::SetActive(bool AValue, bool AUpdate)
{
    FActive = AValue;
    if (FVisible && AUpdate)
        SetAlphaBlend2();
}

void TskFormLayerBorder::ShowWithFormAnimation()
{
    if (!FData)
        return;
    FAnimationTarget = FCurrentAlphaBlendValue;
    FCurrentAlphaBlendValue = 0;
    ShowWithForm();
    for (HWND wnd : FWindows)
        if (wnd) {
            FAnimating = true;
            SetTimer(wnd, kAnimationTimer, kAnimationInterval, nullptr);
            return;
        }
    FCurrentAlphaBlendValue = FAnimationTarget;
}

void TskFormLayerBorder::AnimationStep()
{
    const int step = std::max(FAnimationTarget / 15, 1);
    FCurrentAlphaBlendValue = std::min(FCurrentAlphaBlendValue + step, FAnimationTarget);
    SetAlphaBlend();
    if (FCurrentAlphaBlendValue < FAnimationTarget)
        return;
    FAnimating = false;
    for (HWND wnd : FWindows)
        if (wnd)
            KillTimer(wnd, kAnimationTimer);
}

void TskFormLayerBorder::Draw(TCanvas* C, int X, int Y, TRect F)
{
    if (!FData)
        return;
    const TskLayerBorderGeometry g = Geometry(F);
    TImages images = BuildImages(g, F);
    for (auto type : kShowOrder) {
        TskBitmap* image = images[std::size_t(type)].get();
        if (image->Empty())
            continue;
        const TRect r = g.Window(type);
        image->Draw(C, X + r.Left - g.Outer.Left, Y + r.Top - g.Outer.Top);
    }
}

} // namespace tovrel
