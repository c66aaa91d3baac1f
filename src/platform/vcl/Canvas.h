#pragma once
// TCanvas: drawing on a device context with the canvas's font, pen and brush,
// which it selects into the context before each call. Text and fills follow
// the brush: a solid brush paints the text background, a clear one leaves it.
// Lock/Unlock is a recursive mutex for threads sharing a canvas.
#include "platform/gdi/GdiTypes.h"
#include "platform/vcl/GraphicsObjects.h"

#include <atomic>
#include <memory>
#include <mutex>
#include <span>
#include <string_view>

namespace tovrel {

class TBitmap;
class TGraphic;

class TCanvas : public TPersistent {
public:
    TCanvas();
    ~TCanvas() override;

    // The context with the canvas's font, pen and brush selected (as the
    // framework's canvas does, so direct calls on it draw in the canvas's
    // colours and background mode); a canvas that makes its own context (a
    // bitmap's) makes it here.
    HDC Handle() { return Prepare(kFont | kPen | kBrush); }
    // Uses a context the caller owns (null releases it).
    void SetHandle(HDC dc);
    bool HandleAllocated() const { return dc_ != nullptr; }

    TFont* Font() { return font_.get(); }
    TPen* Pen() { return pen_.get(); }
    TBrush* Brush() { return brush_.get(); }
    void SetFont(const TFont* font) { font_->Assign(font); }
    void SetPen(const TPen* pen) { pen_->Assign(pen); }
    void SetBrush(const TBrush* brush) { brush_->Assign(brush); }

    TPoint PenPos();
    void SetPenPos(TPoint p) { MoveTo(p.X, p.Y); }
    DWORD CopyMode = SRCCOPY;

    void MoveTo(int x, int y);
    void LineTo(int x, int y);
    void Polyline(std::span<const TPoint> points);
    void Polygon(std::span<const TPoint> points);
    void Rectangle(int x1, int y1, int x2, int y2);
    void Rectangle(const TRect& r) { Rectangle(r.Left, r.Top, r.Right, r.Bottom); }
    void RoundRect(int x1, int y1, int x2, int y2, int cornerWidth, int cornerHeight);
    void Ellipse(int x1, int y1, int x2, int y2);
    void Ellipse(const TRect& r) { Ellipse(r.Left, r.Top, r.Right, r.Bottom); }
    void FillRect(const TRect& r);
    void FrameRect(const TRect& r);
    void DrawFocusRect(const TRect& r);

    void TextOut(int x, int y, std::string_view text);
    // The text clipped to r (and r filled first with a solid brush).
    void TextRect(const TRect& r, int x, int y, std::string_view text);
    TSize TextExtent(std::string_view text);
    int TextWidth(std::string_view text) { return TextExtent(text).cx; }
    int TextHeight(std::string_view text) { return TextExtent(text).cy; }

    void Draw(int x, int y, TGraphic* graphic);
    void StretchDraw(const TRect& r, TGraphic* graphic);
    // StretchBlt with CopyMode from another canvas.
    void CopyRect(const TRect& dest, TCanvas* source, const TRect& sourceRect);
    // Copies source of the bitmap into dest with pixels of colour painted in
    // this canvas's brush colour.
    void BrushCopy(const TRect& dest, TBitmap* bitmap, const TRect& source, TColor colour);

    // CLR_INVALID (as TColor -1) outside the clip.
    TColor Pixels(int x, int y);
    void SetPixel(int x, int y, TColor color);
    TRect ClipRect();

    void Lock();
    void Unlock();
    bool TryLock();
    int LockCount() const { return lockCount_; }

    // Selects the stock objects back, so the canvas's own handles can go.
    void Refresh();

    TNotifyEvent OnChange;
    TNotifyEvent OnChanging;

protected:
    virtual void CreateHandle() {}
    friend class TBitmap;
    void Changing();
    void Changed();

private:
    enum TState : unsigned { kFont = 1, kPen = 2, kBrush = 4 };
    // Handle with the objects the next call needs selected.
    HDC Prepare(unsigned state);
    HDC RawHandle();

    std::unique_ptr<TFont> font_;
    std::unique_ptr<TPen> pen_;
    std::unique_ptr<TBrush> brush_;
    HDC dc_ = nullptr;
    std::recursive_mutex lock_;
    std::atomic<int> lockCount_ = 0;
};

// A raised or sunken frame: `width` one-pixel rings, top and left in
// topColour, bottom and right in bottomColour; rect shrinks past the frame.
void Frame3D(TCanvas* canvas, TRect& rect, TColor topColour, TColor bottomColour, int width);

} // namespace tovrel
