#include "platform/ctrls/Panel.h"

#include "platform/gdi/Text.h"

#include <algorithm>

namespace tovrel {

TCustomPanel::TCustomPanel(TComponent* owner) : TCustomControl(owner)
{
    ControlStyle.Include(csAcceptsControls);
    ControlStyle.Include(csOpaque);
    ControlStyle.Exclude(csCaptureMouse);
    SetBounds(0, 0, 185, 41);
    SetColor(clBtnFace);
}

void TCustomPanel::Changed()
{
    Realign();
    Invalidate();
}

void TCustomPanel::SetBevelOuter(TBevelCut value)
{
    bevelOuter_ = value;
    Changed();
}

void TCustomPanel::SetBevelInner(TBevelCut value)
{
    bevelInner_ = value;
    Changed();
}

void TCustomPanel::SetBevelWidth(int value)
{
    bevelWidth_ = std::max(1, value);
    Changed();
}

void TCustomPanel::SetBorderWidth(int value)
{
    borderWidth_ = std::max(0, value);
    Changed();
}

void TCustomPanel::SetAlignment(TAlignment value)
{
    alignment_ = value;
    Invalidate();
}

int TCustomPanel::Inset() const
{
    return borderWidth_ + (bevelOuter_ != bvNone ? bevelWidth_ : 0) + (bevelInner_ != bvNone ? bevelWidth_ : 0);
}

void TCustomPanel::AdjustClientRect(TRect& rect) const
{
    const int inset = Inset();
    rect = Rect(rect.Left + inset, rect.Top + inset, std::max(rect.Left + inset, rect.Right - inset),
                std::max(rect.Top + inset, rect.Bottom - inset));
}

void TCustomPanel::Paint()
{
    TCanvas& canvas = *Canvas();
    TRect r = ClientRect();
    canvas.Brush()->SetColor(Color());
    canvas.FillRect(r);
    // One bevel of `cut`, bevelWidth pixels deep, drawn inwards from r.
    auto frame = [&](TBevelCut cut) {
        if (cut == bvNone)
            return;
        const TColor topLeft = cut == bvLowered ? clBtnShadow : cut == bvRaised ? clBtnHighlight : Color();
        const TColor bottomRight = cut == bvLowered ? clBtnHighlight : cut == bvRaised ? clBtnShadow : Color();
        for (int i = 0; i < bevelWidth_; ++i) {
            canvas.Pen()->SetColor(topLeft);
            canvas.MoveTo(r.Left, r.Bottom - 1);
            canvas.LineTo(r.Left, r.Top);
            canvas.LineTo(r.Right - 1, r.Top);
            canvas.Pen()->SetColor(bottomRight);
            canvas.LineTo(r.Right - 1, r.Bottom - 1);
            canvas.LineTo(r.Left - 1, r.Bottom - 1);
            r = Rect(r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1);
        }
    };
    frame(bevelOuter_);
    r = Rect(r.Left + borderWidth_, r.Top + borderWidth_, r.Right - borderWidth_, r.Bottom - borderWidth_);
    frame(bevelInner_);
    if (Caption().empty())
        return;
    canvas.SetFont(Font());
    canvas.Brush()->SetStyle(bsClear);
    RECT text = r;
    const UINT align = alignment_ == taLeftJustify ? DT_LEFT : alignment_ == taRightJustify ? DT_RIGHT : DT_CENTER;
    DrawText(canvas.Handle(), Caption(), &text, align | DT_VCENTER | DT_SINGLELINE | DT_EXPANDTABS);
}

void TCustomPanel::WndProc(TMessage& message)
{
    if (message.Msg == CM_TEXTCHANGED)
        Invalidate();
    TCustomControl::WndProc(message);
}

} // namespace tovrel
