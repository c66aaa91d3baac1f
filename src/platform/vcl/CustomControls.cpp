#include "platform/vcl/CustomControls.h"

#include "platform/gdi/DeviceContext.h"
#include "platform/wm/Paint.h"

namespace tovrel {

void PaintOnCanvas(TCanvas& canvas, HDC dc, const std::function<void()>& paint)
{
    canvas.Lock();
    HDC previous = canvas.HandleAllocated() ? canvas.Handle() : nullptr;
    canvas.SetHandle(dc);
    try {
        paint();
    } catch (...) {
        canvas.SetHandle(previous);
        canvas.Unlock();
        throw;
    }
    canvas.SetHandle(previous);
    canvas.Unlock();
}

void TControlCanvas::CreateHandle()
{
    auto* windowed = dynamic_cast<TWinControl*>(&control_);
    TWinControl* host = windowed ? windowed : control_.Parent();
    if (!host)
        return;
    window_ = host->Handle();
    owned_ = GetDC(window_);
    if (!windowed && owned_)
        SetViewportOrgEx(owned_, control_.Left(), control_.Top(), nullptr);
    SetHandle(owned_);
}

void TControlCanvas::FreeHandle()
{
    if (!owned_)
        return;
    HDC dc = owned_;
    owned_ = nullptr;
    if (HandleAllocated() && Handle() == dc)
        SetHandle(nullptr);
    ReleaseDC(window_, dc);
    window_ = nullptr;
}

TGraphicControl::TGraphicControl(TComponent* owner) : TControl(owner), canvas_(std::make_unique<TControlCanvas>(*this))
{}

void TGraphicControl::WndProc(TMessage& message)
{
    if (message.Msg == WM_PAINT && message.WParam) {
        canvas_->FreeHandle();
        PaintOnCanvas(*canvas_, reinterpret_cast<HDC>(message.WParam), [this] {
            canvas_->SetFont(Font());
            Paint();
        });
        return;
    }
    TControl::WndProc(message);
}

TCustomControl::TCustomControl(TComponent* owner) : TWinControl(owner), canvas_(std::make_unique<TControlCanvas>(*this))
{}

void TCustomControl::PaintWindow(HDC dc)
{
    canvas_->FreeHandle();
    PaintOnCanvas(*canvas_, dc, [this] {
        canvas_->SetFont(Font());
        Paint();
    });
}

void TCustomControl::DestroyWnd()
{
    canvas_->FreeHandle();
    TWinControl::DestroyWnd();
}

} // namespace tovrel
