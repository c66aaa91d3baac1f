#include "platform/ctrls/StatusBar.h"

#include "platform/ctrls/SizeGrip.h"
#include "platform/gdi/Drawing.h"
#include "platform/gdi/Text.h"
#include "platform/wm/WindowPos.h"

#include <algorithm>

namespace tovrel {

TStatusBar::TStatusBar(TComponent* owner) : TCustomControl(owner)
{
    SetBounds(0, 0, 200, 19);
    SetAlign(alBottom);
    SetColor(clBtnFace);
    ControlStyle.Exclude(csCaptureMouse);
}

void TStatusBar::SetSimplePanel(bool value)
{
    simplePanel_ = value;
    Invalidate();
}

void TStatusBar::SetSimpleText(const std::string& text)
{
    simpleText_ = text;
    Invalidate();
}

void TStatusBar::SetSizeGrip(bool value)
{
    sizeGrip_ = value;
    Invalidate();
}

TRect TStatusBar::GripRect() const
{
    if (!sizeGrip_)
        return Rect(0, 0, 0, 0);
    const int size = std::min(Height(), 16);
    return Rect(Width() - size, Height() - size, Width(), Height());
}

void TStatusBar::Paint()
{
    TCanvas& canvas = *Canvas();
    canvas.Brush()->SetColor(Color());
    canvas.FillRect(ClientRect());
    canvas.SetFont(Font());
    HDC dc = canvas.Handle();
    auto panel = [&](TRect r, const std::string& text, TAlignment alignment) {
        RECT frame = r;
        DrawEdge(dc, &frame, BDR_SUNKENOUTER, BF_RECT);
        RECT inside = Rect(r.Left + 3, r.Top + 1, r.Right - 3, r.Bottom - 1);
        const UINT align = alignment == taRightJustify ? DT_RIGHT : alignment == taCenter ? DT_CENTER : DT_LEFT;
        SetBkMode(dc, TRANSPARENT);
        DrawText(dc, text, &inside, align | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOPREFIX);
    };
    const int right = Width() - GripRect().Width();
    if (simplePanel_) {
        panel(Rect(0, 2, right, Height()), simpleText_, taLeftJustify);
    } else {
        int x = 0;
        for (std::size_t i = 0; i < panels_.size(); ++i) {
            const bool last = i + 1 == panels_.size();
            const int end = last ? std::max(x, right) : x + panels_[i].Width;
            panel(Rect(x, 2, end, Height()), panels_[i].Text, panels_[i].Alignment);
            x = end + 2;
        }
    }
    if (sizeGrip_) {
        // Three diagonal ridges in the corner.
        const TRect g = GripRect();
        for (int k = 0; k < 3; ++k) {
            const int offset = 4 + 4 * k;
            canvas.Pen()->SetColor(clBtnHighlight);
            canvas.MoveTo(g.Right - offset, g.Bottom - 1);
            canvas.LineTo(g.Right, g.Bottom - offset - 1);
            canvas.Pen()->SetColor(clBtnShadow);
            canvas.MoveTo(g.Right - offset + 1, g.Bottom - 1);
            canvas.LineTo(g.Right, g.Bottom - offset);
        }
    }
}

void TStatusBar::WndProc(TMessage& message)
{
    switch (message.Msg) {
    case WM_NCHITTEST:
        if (sizeGrip_ && HandleAllocated() && GripRect().Contains(ScreenToClient(PointFromLParam(message.LParam))) &&
            GripCanSizeForm(Handle())) {
            message.Result = HTBOTTOMRIGHT;
            return;
        }
        break;
    case WM_NCLBUTTONDOWN:
        // The layer would size this bar itself; the grip is the form's corner.
        if (message.WParam == WPARAM(HTBOTTOMRIGHT) && sizeGrip_ && HandleAllocated() &&
            SizeFormFromGrip(Handle(), PointFromLParam(message.LParam)))
            return;
        break;
    default: break;
    }
    TCustomControl::WndProc(message);
}

} // namespace tovrel
