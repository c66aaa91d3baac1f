#include "platform/vcl/HintWindow.h"

#include "platform/gdi/GdiObjects.h"
#include "platform/gdi/Text.h"
#include "platform/wm/Paint.h"
#include "platform/wm/WindowPos.h"

namespace tovrel {

std::string GetShortHint(const std::string& hint)
{
    const auto bar = hint.find('|');
    return bar == std::string::npos ? hint : hint.substr(0, bar);
}

std::string GetLongHint(const std::string& hint)
{
    const auto bar = hint.find('|');
    return bar == std::string::npos ? hint : hint.substr(bar + 1);
}

THintWindow::THintWindow(TComponent* owner) : TCustomControl(owner)
{
    SetVisible(false);
    SetColor(clInfoBk);
    Font()->SetColor(clInfoText);
}

void THintWindow::CreateParams(TCreateParams& params)
{
    TCustomControl::CreateParams(params);
    params.Style = WS_POPUP | WS_BORDER;
    params.ExStyle = WS_EX_TOOLWINDOW | WS_EX_TOPMOST;
    params.WindowClassStyle |= CS_SAVEBITS;
    params.WndParent = nullptr;
}

TRect THintWindow::CalcHintRect(int maxWidth, const std::string& hint, void* /*data*/)
{
    TRect r = Rect(0, 0, maxWidth, 0);
    HDC screen = GetDC(nullptr);
    HGDIOBJ old = SelectObject(screen, Font()->Handle());
    DrawText(screen, hint, &r, DT_CALCRECT | DT_LEFT | DT_WORDBREAK | DT_NOPREFIX);
    SelectObject(screen, old);
    ReleaseDC(nullptr, screen);
    r.Right += 6;
    r.Bottom += 2;
    return r;
}

void THintWindow::ActivateHint(TRect rect, const std::string& hint)
{
    SetCaption(hint);
    SetBounds(rect.Left, rect.Top, rect.Width(), rect.Height());
    SetWindowPos(Handle(), HWND_TOPMOST, rect.Left, rect.Top, rect.Width(), rect.Height(),
                 SWP_SHOWWINDOW | SWP_NOACTIVATE);
    SetVisible(true);
    Invalidate();
}

void THintWindow::Paint()
{
    TCanvas& canvas = *Canvas();
    TRect r = ClientRect();
    canvas.Brush()->SetColor(Color());
    canvas.FillRect(r);
    canvas.Brush()->SetStyle(bsClear);
    r.Left += 2;
    r.Top += 1;
    DrawText(canvas.Handle(), Caption(), &r, DT_LEFT | DT_WORDBREAK | DT_NOPREFIX);
}

} // namespace tovrel
