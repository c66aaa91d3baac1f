// The default frame: border and caption sizes (WM_NCCALCSIZE), hit codes
// (WM_NCHITTEST) and a plain drawing of it (WM_NCPAINT). Skinned windows
// answer these messages themselves.
#include "platform/gdi/Drawing.h"
#include "platform/gdi/GdiObjects.h"
#include "platform/gdi/SysColors.h"
#include "platform/gdi/Text.h"
#include "platform/wm/WindowPos.h"
#include "platform/wm/WmInternal.h"

#include <algorithm>

namespace tovrel {

bool HasCaption(const TWindow& w)
{
    return (w.Style & WS_CAPTION) == WS_CAPTION;
}

namespace {

int CaptionHeight(DWORD exStyle)
{
    return GetSystemMetrics((exStyle & WS_EX_TOOLWINDOW) ? SM_CYSMCAPTION : SM_CYCAPTION);
}

int BorderWidth(DWORD style, DWORD exStyle)
{
    if (style & WS_THICKFRAME)
        return GetSystemMetrics(SM_CXFRAME);
    if ((style & WS_DLGFRAME) || (exStyle & WS_EX_DLGMODALFRAME))
        return GetSystemMetrics(SM_CXDLGFRAME);
    return (style & WS_BORDER) ? GetSystemMetrics(SM_CXBORDER) : 0;
}

TRect CaptionRect(const TWindow& w)
{
    const int b = BorderWidth(w.Style, w.ExStyle);
    return {b, b, w.Rect.Width() - b, b + CaptionHeight(w.ExStyle)};
}

TRect CloseButtonRect(const TWindow& w)
{
    const TRect c = CaptionRect(w);
    const int size = c.Height() - 4;
    return {c.Right - 2 - size, c.Top + 2, c.Right - 2, c.Top + 2 + size};
}

} // namespace

TRect FrameInsets(DWORD style, DWORD exStyle)
{
    const int b = BorderWidth(style, exStyle);
    TRect insets{b, b, b, b};
    if ((style & WS_CAPTION) == WS_CAPTION)
        insets.Top += CaptionHeight(exStyle);
    const int edge = (exStyle & WS_EX_CLIENTEDGE)   ? GetSystemMetrics(SM_CXEDGE)
                     : (exStyle & WS_EX_STATICEDGE) ? GetSystemMetrics(SM_CXBORDER)
                                                    : 0;
    insets = {insets.Left + edge, insets.Top + edge, insets.Right + edge, insets.Bottom + edge};
    return insets;
}

LRESULT DefNcCalcSize(TWindow& w, WPARAM wParam, LPARAM lParam)
{
    RECT* r = wParam ? &FromLParam<NCCALCSIZE_PARAMS>(lParam)->rgrc[0] : FromLParam<RECT>(lParam);
    if (!r)
        return 0;
    if (w.Style & WS_MINIMIZE) {
        r->Right = r->Left;
        r->Bottom = r->Top;
        return 0;
    }
    const TRect insets = FrameInsets(w.Style, w.ExStyle);
    r->Left += insets.Left;
    r->Top += insets.Top;
    r->Right = std::max(r->Left, r->Right - insets.Right);
    r->Bottom = std::max(r->Top, r->Bottom - insets.Bottom);
    return 0;
}

LRESULT DefNcHitTest(TWindow& w, TPoint screen)
{
    const TPoint o = ScreenOrigin(w);
    const TPoint p{screen.X - o.X, screen.Y - o.Y};
    if (!TRect{0, 0, w.Rect.Width(), w.Rect.Height()}.Contains(p) || (w.Region && !w.Region->Contains(p.X, p.Y)))
        return HTNOWHERE;
    if (w.Client.Contains(p))
        return HTCLIENT;
    if (w.Style & WS_MINIMIZE)
        return HTCAPTION;
    if ((w.Style & WS_THICKFRAME) && !(w.Style & WS_MAXIMIZE)) {
        const int b = BorderWidth(w.Style, w.ExStyle), corner = GetSystemMetrics(SM_CYCAPTION);
        const int width = w.Rect.Width(), height = w.Rect.Height();
        const bool left = p.X < b, right = p.X >= width - b, top = p.Y < b, bottom = p.Y >= height - b;
        const bool nearLeft = p.X < corner, nearRight = p.X >= width - corner;
        const bool nearTop = p.Y < corner, nearBottom = p.Y >= height - corner;
        if ((top && nearLeft) || (left && nearTop))
            return HTTOPLEFT;
        if ((top && nearRight) || (right && nearTop))
            return HTTOPRIGHT;
        if ((bottom && nearLeft) || (left && nearBottom))
            return HTBOTTOMLEFT;
        if ((bottom && nearRight) || (right && nearBottom))
            return HTBOTTOMRIGHT;
        if (left)
            return HTLEFT;
        if (right)
            return HTRIGHT;
        if (top)
            return HTTOP;
        if (bottom)
            return HTBOTTOM;
    }
    if (HasCaption(w) && CaptionRect(w).Contains(p)) {
        if ((w.Style & WS_SYSMENU) && CloseButtonRect(w).Contains(p))
            return HTCLOSE;
        return HTCAPTION;
    }
    return HTBORDER;
}

void DefNcPaint(TWindow& w, HDC dc)
{
    const TRect whole{0, 0, w.Rect.Width(), w.Rect.Height()};
    const int b = BorderWidth(w.Style, w.ExStyle);
    if (b == 1) {
        FrameRect(dc, &whole, GetSysColorBrush(COLOR_WINDOWFRAME));
    } else if (b > 1) {
        RECT edge = whole;
        DrawEdge(dc, &edge, EDGE_RAISED, BF_RECT | BF_ADJUST);
        for (int i = 2; i < b; ++i) {
            FrameRect(dc, &edge, GetSysColorBrush(COLOR_BTNFACE));
            edge = {edge.Left + 1, edge.Top + 1, edge.Right - 1, edge.Bottom - 1};
        }
    }
    if (HasCaption(w)) {
        const TRect caption = CaptionRect(w);
        FillRect(dc, &caption, GetSysColorBrush(w.NcActive ? COLOR_ACTIVECAPTION : COLOR_INACTIVECAPTION));
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, GetSysColor(w.NcActive ? COLOR_CAPTIONTEXT : COLOR_INACTIVECAPTIONTEXT));
        RECT text{caption.Left + 4, caption.Top, caption.Right - caption.Height(), caption.Bottom};
        DrawText(dc, w.Text, &text, DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX);
        if (w.Style & WS_SYSMENU) {
            RECT box = CloseButtonRect(w);
            FillRect(dc, &box, GetSysColorBrush(COLOR_BTNFACE));
            DrawEdge(dc, &box, EDGE_RAISED, BF_RECT);
            const int inset = 4;
            MoveToEx(dc, box.Left + inset, box.Top + inset, nullptr);
            LineTo(dc, box.Right - inset, box.Bottom - inset);
            MoveToEx(dc, box.Right - inset - 1, box.Top + inset, nullptr);
            LineTo(dc, box.Left + inset - 1, box.Bottom - inset);
        }
    }
    if (w.ExStyle & WS_EX_CLIENTEDGE) {
        const int e = GetSystemMetrics(SM_CXEDGE);
        RECT edge{w.Client.Left - e, w.Client.Top - e, w.Client.Right + e, w.Client.Bottom + e};
        DrawEdge(dc, &edge, EDGE_SUNKEN, BF_RECT);
    }
}

} // namespace tovrel
