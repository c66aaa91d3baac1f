#include "skin/hints/SkinHintWindow.h"

#include "platform/gdi/SysColors.h"
#include "platform/gdi/Text.h"
#include "platform/vcl/Application.h"
#include "platform/vcl/Bitmap.h"
#include "platform/vcl/ImageList.h"
#include "platform/wm/Paint.h"
#include "platform/wm/WindowPos.h"
#include "skin/data/SkinData.h"
#include "skin/data/SkinFixedEntries.h"
#include "skin/draw/MaskRegions.h"
#include "skin/draw/MonitorAreas.h"
#include "skin/hints/HintLayout.h"
#include "skin/hints/SkinHint.h"

#include <algorithm>

namespace tovrel {

namespace {

// Room between the skinned frame's client part and a plain text block.
constexpr int kPlainSkinExtra = 5;
// Room around title, image and text of an extended hint.
constexpr int kGap = 5;

} // namespace

TskSkinHintWindow::TskSkinHintWindow(TComponent* AOwner) : THintWindow(AOwner) {}

TskSkinHintWindow::~TskSkinHintWindow() = default;

void TskSkinHintWindow::CreateParams(TCreateParams& params)
{
    THintWindow::CreateParams(params);
    params.Style &= ~DWORD(WS_BORDER);
}

void TskSkinHintWindow::WndProc(TMessage& message)
{
    switch (message.Msg) {
    case WM_NCPAINT: return;
    case WM_ERASEBKGND: message.Result = 1; return;
    case WM_MOUSEACTIVATE: message.Result = MA_NOACTIVATE; return;
    default: THintWindow::WndProc(message);
    }
}

TRect TskSkinHintWindow::CalcHintRect(int, const std::string& hint, void*)
{
    TakeLook(TskSkinHint::Current());
    const TSize size = ContentSize(BreakHintLines(hint, FspHint ? FspHint->LineSeparator : ""));
    return Rect(0, 0, size.cx, size.cy);
}

void TskSkinHintWindow::ActivateHint(TRect Rect, const std::string& AHint)
{
    TskSkinHint* hint = TskSkinHint::Current();
    if (hint && (!hint->FHintTitle.empty() || hint->FHintImageList)) {
        ActivateHintEx(Rect, hint->FHintTitle, AHint, hint->FHintImageIndex, hint->FHintImageList);
        return;
    }
    AExtendedStyle = false;
    FTitle.clear();
    FImageList = nullptr;
    Show(Rect, TAnchor::Point, AHint);
}

void TskSkinHintWindow::ActivateHintEx(TRect Rect, const std::string& AHintTitle, const std::string& AHint,
                                       int AImageIndex, TCustomImageList* AImageList)
{
    AExtendedStyle = true;
    FTitle = AHintTitle;
    FImageIndex = AImageIndex;
    FImageList = AImageList;
    Show(Rect, TAnchor::Point, AHint);
}

void TskSkinHintWindow::ActivateHintFromRect(TRect ARect, const std::string& AHint, bool ATop)
{
    AExtendedStyle = false;
    FTitle.clear();
    FImageList = nullptr;
    Show(ARect, ATop ? TAnchor::AboveRect : TAnchor::BelowRect, AHint);
}

void TskSkinHintWindow::HideWindow()
{
    StopFade();
    if (HandleAllocated())
        SetWindowPos(Handle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    SetVisible(false);
}

void TskSkinHintWindow::TakeLook(TskSkinHint* hint)
{
    FspHint = hint;
    FSD = nullptr;
    FEntry = nullptr;
    TskSkinData* data = hint ? hint->SkinData() : nullptr;
    if (!data || data->Empty || !data->ActivePicture(data->HintWindow.WindowPictureIndex))
        return;
    FSD = data;
    FEntry = &data->HintWindow;
    Skin = TskSkinCorners{FEntry->LTPoint, FEntry->RTPoint, FEntry->LBPoint, FEntry->RBPoint, FEntry->ClRect};
}

void TskSkinHintWindow::SetupFont(TCanvas& canvas) const
{
    if (FEntry && (!FspHint || FspHint->UseSkinFont)) {
        canvas.Font()->SetName(FEntry->FontName);
        canvas.Font()->SetHeight(FEntry->FontHeight);
        canvas.Font()->SetStyle(FEntry->FontStyle);
        canvas.Font()->SetColor(FEntry->FontColor);
    } else {
        if (FspHint)
            canvas.Font()->Assign(FspHint->DefaultFont());
        canvas.Font()->SetColor(FEntry ? FEntry->FontColor : clInfoText);
    }
}

TSize TskSkinHintWindow::TextSize(const std::string& text, bool bold) const
{
    TBitmap measure(1, 1);
    TCanvas& canvas = *measure.Canvas();
    SetupFont(canvas);
    if (bold)
        canvas.Font()->SetStyle(canvas.Font()->Style() + fsBold);
    RECT r = Rect(0, 0, 0, 0);
    DrawText(canvas.Handle(), text, &r, DT_CALCRECT);
    return {r.Width(), r.Height()};
}

TSize TskSkinHintWindow::ContentSize(const std::string& text)
{
    FText = TextSize(text, false);
    TSize content = FText;
    int extra = kPlainSkinExtra;
    if (AExtendedStyle) {
        extra = 0;
        const TSize title = FTitle.empty() ? TSize{} : TextSize(FTitle, true);
        if (!FTitle.empty()) {
            content.cy = FText.cy + title.cy + 2 * kGap;
            content.cx = std::max(FText.cx, title.cx);
        }
        if (TCustomImageList* images = FImageList; images && FImageIndex >= 0 && FImageIndex < images->Count()) {
            content.cx += images->Width() + 2 * kGap;
            content.cy = std::max(content.cy, images->Height() + title.cy + kGap);
        } else {
            FImageList = nullptr; // an index outside the list shows no image and takes no room
        }
        if (FEntry)
            content.cx += 2 * kGap;
    }
    if (!FEntry) {
        Fresh = TskSkinCorners{};
        return {content.cx + 4, content.cy + 4};
    }
    const TBitmap& picture = *FSD->ActivePicture(FEntry->WindowPictureIndex);
    const TSkinnedHintFrame frame = SkinnedHintFrame(Skin, {picture.Width(), picture.Height()}, content, extra);
    Fresh = frame.Fresh;
    return frame.Size;
}

TRect TskSkinHintWindow::ScreenLimit() const
{
    const TCustomForm* form = Screen->ActiveForm();
    if (!form || !form->HandleAllocated()) {
        form = Application->MainForm();
        if (form && (!form->Visible() || !form->HandleAllocated()))
            form = nullptr;
    }
    RECT limit = Rect(0, 0, Screen->Width(), Screen->Height());
    if (form)
        GetMonitorWorkArea(const_cast<TCustomForm*>(form)->Handle(), true, limit);
    return limit;
}

void TskSkinHintWindow::Show(TRect anchor, TAnchor how, const std::string& hint)
{
    TakeLook(TskSkinHint::Current());
    const std::string text = BreakHintLines(hint, FspHint ? FspHint->LineSeparator : "");
    SetCaption(text);
    const TSize size = ContentSize(text);
    const TPoint at = how == TAnchor::Point ? Point(anchor.Left, anchor.Top)
                                            : HintAnchorAtRect(anchor, size, how == TAnchor::AboveRect);
    const TRect bounds = PlaceHint(ScreenLimit(), at, size);
    SetBounds(bounds.Left, bounds.Top, bounds.Width(), bounds.Height());
    ApplyRegion();
    SetWindowPos(Handle(), HWND_TOPMOST, bounds.Left, bounds.Top, bounds.Width(), bounds.Height(),
                 SWP_SHOWWINDOW | SWP_NOACTIVATE);
    SetVisible(true);
    ApplyAlpha(FspHint);
    Repaint();
}

void TskSkinHintWindow::ApplyRegion()
{
    TBitmap* mask = FEntry ? FSD->ActivePicture(FEntry->MaskPictureIndex) : nullptr;
    SetWindowRgn(Handle(), mask ? CreateSkinRegion(Skin, Fresh, *mask, Width(), Height()) : nullptr, false);
}

void TskSkinHintWindow::Paint()
{
    TBitmap buffer(Width(), Height());
    TCanvas& canvas = *buffer.Canvas();
    // The skin may have changed since the hint was sized: then the plain look.
    if (TBitmap* picture = FEntry ? FSD->ActivePicture(FEntry->WindowPictureIndex) : nullptr) {
        CreateSkinImage2(Skin, Fresh, buffer, *picture, Rect(0, 0, picture->Width(), picture->Height()), Width(),
                         Height(), true, StretchFlagsOf(*FEntry));
    } else {
        canvas.Brush()->SetColor(clInfoBk);
        canvas.FillRect(Rect(0, 0, Width(), Height()));
        canvas.Brush()->SetColor(clBtnShadow);
        canvas.FrameRect(Rect(0, 0, Width(), Height()));
    }
    canvas.Brush()->SetStyle(bsClear);
    SetupFont(canvas);
    PaintContent(canvas);
    Canvas()->Draw(0, 0, &buffer);
}

void TskSkinHintWindow::PaintContent(TCanvas& canvas)
{
    const HDC dc = canvas.Handle();
    const TRect area = FEntry ? Fresh.ClRect : Rect(2, 2, Width() - 2, Height() - 2);
    if (!AExtendedStyle) {
        RECT r = FEntry ? Bounds(area.Left + area.Width() / 2 - FText.cx / 2,
                                 area.Top + area.Height() / 2 - FText.cy / 2, FText.cx, FText.cy)
                        : area;
        DrawText(dc, Caption(), &r, 0);
        return;
    }
    const int inset = FEntry ? kGap : 0;
    int titleRoom = 0;
    if (!FTitle.empty()) {
        const TFontStyles plain = canvas.Font()->Style();
        canvas.Font()->SetStyle(plain + fsBold);
        RECT r = Rect(area.Left + inset, area.Top, area.Right, area.Bottom);
        DrawText(dc, FTitle, &r, 0);
        titleRoom = TextSize(FTitle, true).cy + kGap;
        canvas.Font()->SetStyle(plain);
    }
    int textLeft = area.Left + inset;
    if (TCustomImageList* images = FImageList) {
        const int y = FTitle.empty() ? area.Top + area.Height() / 2 - images->Height() / 2 : area.Top + titleRoom;
        images->Draw(&canvas, textLeft, y, FImageIndex);
        textLeft += images->Width() + kGap;
    }
    const int textTop = FTitle.empty() ? area.Top + area.Height() / 2 - FText.cy / 2 : area.Top + titleRoom;
    RECT r = Rect(textLeft, textTop, area.Right, area.Bottom);
    DrawText(dc, Caption(), &r, 0);
}

} // namespace tovrel
