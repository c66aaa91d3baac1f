#include "platform/ctrls/Label.h"

#include "platform/ctrls/ControlNotify.h"
#include "platform/gdi/GdiObjects.h"
#include "platform/gdi/SysColors.h"
#include "platform/gdi/Text.h"
#include "platform/wm/Paint.h"

#include <algorithm>

namespace tovrel {

TCustomLabel::TCustomLabel(TComponent* owner) : TGraphicControl(owner)
{
    ControlStyle.Include(csReplicatable);
    ControlStyle.Exclude(csCaptureMouse);
    SetBounds(0, 0, 65, 17);
    SetParentColor(true);
}

void TCustomLabel::SetAutoSize(bool value)
{
    autoSize_ = value;
    AdjustBounds();
}

void TCustomLabel::SetAlignment(TAlignment value)
{
    alignment_ = value;
    Invalidate();
}

void TCustomLabel::SetLayout(TTextLayout value)
{
    layout_ = value;
    Invalidate();
}

void TCustomLabel::SetWordWrap(bool value)
{
    wordWrap_ = value;
    AdjustBounds();
    Invalidate();
}

void TCustomLabel::SetShowAccelChar(bool value)
{
    showAccelChar_ = value;
    AdjustBounds();
    Invalidate();
}

void TCustomLabel::SetTransparent(bool value)
{
    if (value)
        ControlStyle.Exclude(csOpaque);
    else
        ControlStyle.Include(csOpaque);
    Invalidate();
}

UINT TCustomLabel::DrawTextFlags() const
{
    UINT flags = DT_EXPANDTABS;
    if (wordWrap_)
        flags |= DT_WORDBREAK;
    if (!showAccelChar_)
        flags |= DT_NOPREFIX;
    flags |= alignment_ == taRightJustify ? DT_RIGHT : alignment_ == taCenter ? DT_CENTER : DT_LEFT;
    return flags;
}

void TCustomLabel::DoDrawText(TRect& rect, UINT flags)
{
    std::string text = Caption();
    RECT r = rect;
    if (flags & DT_CALCRECT) {
        // An empty caption still measures one line; measuring needs no parent.
        if (text.empty() || (showAccelChar_ && text == "&"))
            text = " ";
        HDC screen = GetDC(nullptr);
        HGDIOBJ old = SelectObject(screen, Font()->Handle());
        DrawText(screen, text, &r, flags);
        SelectObject(screen, old);
        ReleaseDC(nullptr, screen);
        rect = r;
        return;
    }
    TCanvas& canvas = *Canvas();
    canvas.SetFont(Font());
    canvas.Brush()->SetStyle(bsClear);
    if (!Enabled()) {
        // Embossed: a light copy one pixel down and right, the shadow on top.
        RECT light = Rect(r.Left + 1, r.Top + 1, r.Right + 1, r.Bottom + 1);
        canvas.Font()->SetColor(clBtnHighlight);
        DrawText(canvas.Handle(), text, &light, flags);
        canvas.Font()->SetColor(clBtnShadow);
    }
    DrawText(canvas.Handle(), text, &r, flags);
    rect = r;
}

void TCustomLabel::Paint()
{
    TCanvas& canvas = *Canvas();
    if (!Transparent()) {
        canvas.Brush()->SetColor(Color());
        canvas.Brush()->SetStyle(bsSolid);
        canvas.FillRect(ClientRect());
    }
    TRect r = ClientRect();
    UINT flags = DrawTextFlags();
    if (layout_ != tlTop) {
        TRect measured = r;
        DoDrawText(measured, flags | DT_CALCRECT);
        const int offset = r.Height() - measured.Height();
        r.Top += layout_ == tlBottom ? offset : offset / 2;
    }
    DoDrawText(r, flags);
}

void TCustomLabel::AdjustBounds()
{
    if (!autoSize_ || adjusting_ || ComponentState().Contains(csLoading))
        return;
    TRect r = ClientRect();
    DoDrawText(r, DrawTextFlags() | DT_CALCRECT);
    int left = Left();
    // Right-aligned text keeps its right edge.
    if (alignment_ == taRightJustify)
        left += Width() - r.Width();
    adjusting_ = true;
    SetBounds(left, Top(), wordWrap_ ? Width() : r.Width(), r.Height());
    adjusting_ = false;
}

void TCustomLabel::TextChanged()
{
    AdjustBounds();
    Invalidate();
}

void TCustomLabel::WndProc(TMessage& message)
{
    switch (message.Msg) {
    case CM_DIALOGCHAR:
        if (FocusControl && Enabled() && showAccelChar_ && IsAccelChar(message.WParam, Caption()) &&
            FocusControl->CanFocus()) {
            FocusControl->SetFocus();
            message.Result = 1;
            return;
        }
        break;
    case CM_FONTCHANGED: AdjustBounds(); break;
    default: break;
    }
    TGraphicControl::WndProc(message);
}

} // namespace tovrel
