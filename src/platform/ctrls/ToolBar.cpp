#include "platform/ctrls/ToolBar.h"

#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/Drawing.h"
#include "platform/gdi/Text.h"

#include <algorithm>

namespace tovrel {

namespace {
constexpr int kSeparatorWidth = 8;
} // namespace

TToolButton::TToolButton(TComponent* owner) : TGraphicControl(owner)
{
    SetBounds(0, 0, 23, 22);
    // A quick second click is another click, not a double click.
    ControlStyle.Exclude(csDoubleClicks);
}

TToolBar* TToolButton::Bar() const
{
    return dynamic_cast<TToolBar*>(Parent());
}

void TToolButton::SetStyle(TToolButtonStyle value)
{
    style_ = value;
    if (TToolBar* bar = Bar())
        bar->ArrangeButtons();
    Invalidate();
}

void TToolButton::SetDown(bool value)
{
    if (down_ == value)
        return;
    // The last one down in a group stays down unless all may be up.
    if (!value && Grouped && !AllowAllUp)
        return;
    down_ = value;
    if (down_ && Grouped && Parent()) {
        // The grouped neighbours on both sides, up to the first that is not grouped.
        const int count = Parent()->ControlCount();
        int index = 0;
        while (index < count && Parent()->Controls(index) != this)
            ++index;
        for (int step : {-1, 1})
            for (int i = index + step; i >= 0 && i < count; i += step) {
                auto* other = dynamic_cast<TToolButton*>(Parent()->Controls(i));
                if (!other || !other->Grouped || other->style_ != tbsCheck)
                    break;
                other->down_ = false;
                other->Invalidate();
            }
    }
    Invalidate();
}

void TToolButton::SetImageIndex(int index)
{
    imageIndex_ = index;
    Invalidate();
}

void TToolButton::Click()
{
    if (style_ == tbsCheck)
        SetDown(!down_ || (Grouped && !AllowAllUp));
    TGraphicControl::Click();
}

void TToolButton::MouseDown(TMouseButton button, TShiftState shift, int x, int y)
{
    if (button == mbLeft && style_ <= tbsCheck) {
        pressing_ = true;
        Invalidate();
    }
    TGraphicControl::MouseDown(button, shift, x, y);
}

void TToolButton::MouseUp(TMouseButton button, TShiftState shift, int x, int y)
{
    if (pressing_) {
        pressing_ = false;
        Invalidate();
    }
    TGraphicControl::MouseUp(button, shift, x, y);
}

void TToolButton::MouseMove(TShiftState shift, int x, int y)
{
    const bool inside = ClientRect().Contains(Point(x, y));
    if (inside != hot_) {
        hot_ = inside;
        Invalidate();
    }
    TGraphicControl::MouseMove(shift, x, y);
}

void TToolButton::WndProc(TMessage& message)
{
    switch (message.Msg) {
    case CM_MOUSEENTER:
        hot_ = true;
        Invalidate();
        break;
    case CM_MOUSELEAVE:
        hot_ = false;
        Invalidate();
        break;
    default: break;
    }
    // Separators take no clicks.
    if (style_ >= tbsSeparator && message.Msg >= WM_LBUTTONDOWN && message.Msg <= WM_MBUTTONDBLCLK)
        return;
    TGraphicControl::WndProc(message);
}

void TToolButton::Paint()
{
    TCanvas& canvas = *Canvas();
    HDC dc = canvas.Handle();
    RECT r = ClientRect();
    if (style_ >= tbsSeparator) {
        if (style_ == tbsDivider) {
            RECT line = Rect(r.Right / 2 - 1, r.Top + 2, r.Right / 2 + 1, r.Bottom - 2);
            DrawEdge(dc, &line, EDGE_ETCHED, BF_LEFT);
        }
        return;
    }
    const bool sunken = down_ || (pressing_ && hot_);
    if (sunken)
        DrawEdge(dc, &r, BDR_SUNKENOUTER, BF_RECT);
    else if (hot_ && Enabled())
        DrawEdge(dc, &r, BDR_RAISEDINNER, BF_RECT);
    TToolBar* bar = Bar();
    const int offset = sunken ? 1 : 0;
    int textTop = r.Top;
    if (bar && bar->Images() && imageIndex_ >= 0) {
        const int x = (Width() - bar->Images()->Width()) / 2 + offset;
        const int y = (bar->ShowCaptions() ? 3 : (Height() - bar->Images()->Height()) / 2) + offset;
        bar->Images()->Draw(&canvas, x, y, imageIndex_, Enabled());
        textTop = y + bar->Images()->Height();
    }
    if (bar && bar->ShowCaptions() && !Caption().empty()) {
        canvas.SetFont(Font());
        canvas.Brush()->SetStyle(bsClear);
        RECT text = Rect(r.Left + offset, textTop + offset, r.Right + offset, r.Bottom + offset);
        DrawText(canvas.Handle(), Caption(), &text, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    }
}

TToolBar::TToolBar(TComponent* owner) : TWinControl(owner)
{
    SetBounds(0, 0, 150, 29);
    SetAlign(alTop);
    SetColor(clBtnFace);
    ControlStyle.Include(csAcceptsControls);
    ControlStyle.Exclude(csCaptureMouse);
}

void TToolBar::SetButtonSize(int width, int height)
{
    buttonWidth_ = std::max(1, width);
    buttonHeight_ = std::max(1, height);
    ArrangeButtons();
}

void TToolBar::SetImages(TCustomImageList* images)
{
    images_ = images;
    Invalidate();
}

void TToolBar::SetShowCaptions(bool value)
{
    showCaptions_ = value;
    Invalidate();
}

void TToolBar::AlignControls(TControl* control, TRect& rect)
{
    TWinControl::AlignControls(control, rect);
    ArrangeButtons();
}

void TToolBar::ArrangeButtons()
{
    if (arranging_)
        return;
    arranging_ = true;
    int x = 0;
    for (int i = 0; i < ControlCount(); ++i) {
        auto* button = dynamic_cast<TToolButton*>(Controls(i));
        if (!button || !button->Visible())
            continue;
        const int width = button->Style() >= tbsSeparator ? kSeparatorWidth : buttonWidth_;
        button->SetBounds(x, 2, width, buttonHeight_);
        x += width;
    }
    arranging_ = false;
}

} // namespace tovrel
