// The skinned edit's two image buttons: laid out at the ends of the text
// area (the text is kept between them), drawn with the background, and
// clicked by a press and a release on the same button.
#include "skin/controls/SkinEdit.h"

#include "platform/wm/Messages.h"
#include "platform/wm/WindowPos.h"

namespace tovrel {

namespace {

// Hit codes of the image buttons, answered from WM_NCHITTEST.
constexpr LRESULT kHitLeftButton = 104, kHitRightButton = 105;

bool ValidImage(const TCustomImageList& images, int index)
{
    return index >= 0 && index < images.Count();
}

} // namespace

void TskSkinCustomEdit::SetImages(TCustomImageList* Value)
{
    if (FImages.Get() == Value)
        return;
    FImages = Value;
    LayoutImageButtons(true);
}

void TskSkinCustomEdit::SetLeftImageIndex(int Value)
{
    FLeftImageIndex = Value;
    LayoutImageButtons(true);
}

void TskSkinCustomEdit::SetRightImageIndex(int Value)
{
    FRightImageIndex = Value;
    LayoutImageButtons(true);
}

void TskSkinCustomEdit::LayoutImageButtons(bool SetRect)
{
    if (!FImages)
        return;
    FLeftButton.R = FRightButton.R = TRect{};
    TRect r = ClientRect();
    const int w = FImages->Width();
    if (FLeftImageIndex >= 0) {
        FLeftButton.R = Rect(r.Left, r.Top, r.Left + w, r.Bottom);
        r.Left += w + 2;
    }
    if (FRightImageIndex >= 0) {
        FRightButton.R = Rect(r.Right - w, r.Top, r.Right, r.Bottom);
        r.Right -= w + 2;
    }
    if (SetRect && HandleAllocated())
        Perform(EM_SETRECTNP, 0, ToLParam(&r));
}

void TskSkinCustomEdit::DrawImageButtons(TCanvas& C)
{
    if (!FImages)
        return;
    LayoutImageButtons(false);
    const auto draw = [&](const TImageButton& b, int normal, int hot, int down) {
        if (!ValidImage(*FImages, normal))
            return;
        int index = normal;
        if (b.Down && b.MouseIn && ValidImage(*FImages, down))
            index = down;
        else if (b.MouseIn && ValidImage(*FImages, hot))
            index = hot;
        const int y = std::max(b.R.Top, b.R.Top + b.R.Height() / 2 - FImages->Height() / 2);
        FImages->Draw(&C, b.R.Left, y, index, Enabled());
    };
    draw(FLeftButton, FLeftImageIndex, LeftImageHotIndex, LeftImageDownIndex);
    draw(FRightButton, FRightImageIndex, RightImageHotIndex, RightImageDownIndex);
}

bool TskSkinCustomEdit::ImageButtonHitTest(TMessage& message)
{
    if (!FImages)
        return false;
    const TPoint p = ScreenToClient(PointFromLParam(message.LParam));
    const bool inLeft = FLeftImageIndex >= 0 && FLeftButton.R.Contains(p);
    const bool inRight = !inLeft && FRightImageIndex >= 0 && FRightButton.R.Contains(p);
    if (FLeftButton.MouseIn != inLeft || FRightButton.MouseIn != inRight) {
        FLeftButton.MouseIn = inLeft;
        FRightButton.MouseIn = inRight;
        Invalidate();
    }
    if (!inLeft && !inRight)
        return false;
    message.Result = inLeft ? kHitLeftButton : kHitRightButton;
    return true;
}

bool TskSkinCustomEdit::ImageButtonMouse(TMessage& message)
{
    if (!FImages)
        return false;
    const LRESULT hit = LRESULT(message.WParam);
    TImageButton* b = hit == kHitLeftButton ? &FLeftButton : hit == kHitRightButton ? &FRightButton : nullptr;
    switch (message.Msg) {
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONDBLCLK:
        if (!b)
            return false;
        b->Down = true;
        if (!Focused() && CanFocus())
            SetFocus();
        Invalidate();
        return true;
    case WM_NCLBUTTONUP: {
        const bool click = b && b->Down;
        const bool wasDown = FLeftButton.Down || FRightButton.Down;
        FLeftButton.Down = FRightButton.Down = false;
        if (wasDown)
            Invalidate();
        if (!click)
            return false;
        const TNotifyEvent& event = b == &FLeftButton ? OnLeftButtonClick : OnRightButtonClick;
        if (event)
            event(this);
        return true;
    }
    default: return false;
    }
}

void TskSkinCustomEdit::ImageButtonsLeft()
{
    if (FLeftButton.MouseIn || FRightButton.MouseIn || FLeftButton.Down || FRightButton.Down) {
        FLeftButton = TImageButton{FLeftButton.R};
        FRightButton = TImageButton{FRightButton.R};
        Invalidate();
    }
}

} // namespace tovrel
