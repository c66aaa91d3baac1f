#pragma once
// The two bases of self-drawn controls: TGraphicControl (no window; painted
// by its parent in z-order) and TCustomControl (a window of its own). Both
// draw in Paint on Canvas, which holds the paint's context meanwhile.
#include "platform/vcl/Canvas.h"
#include "platform/vcl/WinControl.h"

namespace tovrel {

// A canvas over a control: outside a paint it uses a context of the
// control's window (the parent's for a graphic control), made on demand.
class TControlCanvas : public TCanvas {
public:
    explicit TControlCanvas(TControl& control) : control_(control) {}
    ~TControlCanvas() override { FreeHandle(); }
    void FreeHandle();

protected:
    void CreateHandle() override;

private:
    TControl& control_;
    HWND window_ = nullptr;
    HDC owned_ = nullptr;
};

class TGraphicControl : public TControl {
public:
    explicit TGraphicControl(TComponent* owner);
    TCanvas* Canvas() { return canvas_.get(); }
    void WndProc(TMessage& message) override;

protected:
    virtual void Paint() {}

private:
    std::unique_ptr<TControlCanvas> canvas_;
};

class TCustomControl : public TWinControl {
public:
    explicit TCustomControl(TComponent* owner);
    TCanvas* Canvas() { return canvas_.get(); }

protected:
    virtual void Paint() {}
    void PaintWindow(HDC dc) override;
    void DestroyWnd() override;

private:
    std::unique_ptr<TControlCanvas> canvas_;
};

// Runs `paint` with canvas bound to dc (locked meanwhile).
void PaintOnCanvas(TCanvas& canvas, HDC dc, const std::function<void()>& paint);

} // namespace tovrel
