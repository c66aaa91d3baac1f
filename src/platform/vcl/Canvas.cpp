#include "platform/vcl/Canvas.h"

#include "platform/gdi/Blits.h"
#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/Drawing.h"
#include "platform/gdi/GdiObjects.h"
#include "platform/gdi/Text.h"
#include "platform/vcl/Bitmap.h"
#include "platform/vcl/Graphic.h"

#include <vector>

namespace tovrel {

TCanvas::TCanvas()
    : font_(std::make_unique<TFont>()), pen_(std::make_unique<TPen>()), brush_(std::make_unique<TBrush>())
{}

TCanvas::~TCanvas()
{
    Refresh();
}

HDC TCanvas::RawHandle()
{
    if (!dc_)
        CreateHandle();
    return dc_;
}

void TCanvas::SetHandle(HDC dc)
{
    if (dc_ == dc)
        return;
    Refresh();
    dc_ = dc;
}

void TCanvas::Refresh()
{
    if (!dc_)
        return;
    SelectObject(dc_, GetStockObject(BLACK_PEN));
    SelectObject(dc_, GetStockObject(WHITE_BRUSH));
    SelectObject(dc_, GetStockObject(SYSTEM_FONT));
}

HDC TCanvas::Prepare(unsigned state)
{
    HDC dc = RawHandle();
    if (!dc)
        return nullptr;
    if (state & kFont) {
        SelectObject(dc, font_->Handle());
        SetTextColor(dc, ColorToRGB(font_->Color()));
    }
    if (state & kPen) {
        SelectObject(dc, pen_->Handle());
        SetROP2(dc, pen_->Rop2());
    }
    if (state & kBrush) {
        SelectObject(dc, brush_->Handle());
        SetBkColor(dc, ColorToRGB(brush_->Color()));
        SetBkMode(dc, brush_->Style() == bsSolid ? OPAQUE : TRANSPARENT);
    }
    return dc;
}

void TCanvas::Changing()
{
    if (OnChanging)
        OnChanging(this);
}

void TCanvas::Changed()
{
    if (OnChange)
        OnChange(this);
}

TPoint TCanvas::PenPos()
{
    POINT p;
    if (HDC dc = RawHandle()) {
        MoveToEx(dc, 0, 0, &p);
        MoveToEx(dc, p.X, p.Y, nullptr);
    }
    return p;
}

void TCanvas::MoveTo(int x, int y)
{
    if (HDC dc = RawHandle())
        MoveToEx(dc, x, y, nullptr);
}

void TCanvas::LineTo(int x, int y)
{
    Changing();
    if (HDC dc = Prepare(kPen | kBrush))
        tovrel::LineTo(dc, x, y);
    Changed();
}

void TCanvas::Polyline(std::span<const TPoint> points)
{
    Changing();
    if (HDC dc = Prepare(kPen | kBrush))
        tovrel::Polyline(dc, points.data(), int(points.size()));
    Changed();
}

void TCanvas::Polygon(std::span<const TPoint> points)
{
    Changing();
    if (HDC dc = Prepare(kPen | kBrush))
        tovrel::Polygon(dc, points.data(), int(points.size()));
    Changed();
}

void TCanvas::Rectangle(int x1, int y1, int x2, int y2)
{
    Changing();
    if (HDC dc = Prepare(kPen | kBrush))
        tovrel::Rectangle(dc, x1, y1, x2, y2);
    Changed();
}

void TCanvas::RoundRect(int x1, int y1, int x2, int y2, int cornerWidth, int cornerHeight)
{
    Changing();
    if (HDC dc = Prepare(kPen | kBrush))
        tovrel::RoundRect(dc, x1, y1, x2, y2, cornerWidth, cornerHeight);
    Changed();
}

void TCanvas::Ellipse(int x1, int y1, int x2, int y2)
{
    Changing();
    if (HDC dc = Prepare(kPen | kBrush))
        tovrel::Ellipse(dc, x1, y1, x2, y2);
    Changed();
}

void TCanvas::FillRect(const TRect& r)
{
    Changing();
    if (HDC dc = Prepare(kBrush))
        tovrel::FillRect(dc, &r, brush_->Handle());
    Changed();
}

void TCanvas::FrameRect(const TRect& r)
{
    Changing();
    if (HDC dc = Prepare(kBrush))
        tovrel::FrameRect(dc, &r, brush_->Handle());
    Changed();
}

void TCanvas::DrawFocusRect(const TRect& r)
{
    Changing();
    if (HDC dc = Prepare(kBrush))
        tovrel::DrawFocusRect(dc, &r);
    Changed();
}

void TCanvas::TextOut(int x, int y, std::string_view text)
{
    Changing();
    if (HDC dc = Prepare(kFont | kBrush))
        tovrel::TextOut(dc, x, y, text);
    Changed();
}

void TCanvas::TextRect(const TRect& r, int x, int y, std::string_view text)
{
    Changing();
    if (HDC dc = Prepare(kFont | kBrush)) {
        UINT options = ETO_CLIPPED;
        if (brush_->Style() == bsSolid)
            options |= ETO_OPAQUE;
        ExtTextOut(dc, x, y, options, &r, text);
    }
    Changed();
}

TSize TCanvas::TextExtent(std::string_view text)
{
    SIZE size;
    if (HDC dc = Prepare(kFont))
        GetTextExtentPoint32(dc, text, &size);
    return size;
}

void TCanvas::Draw(int x, int y, TGraphic* graphic)
{
    if (!graphic || graphic->Empty())
        return;
    StretchDraw(Bounds(x, y, graphic->Width(), graphic->Height()), graphic);
}

void TCanvas::StretchDraw(const TRect& r, TGraphic* graphic)
{
    if (!graphic || graphic->Empty())
        return;
    Changing();
    if (Prepare(0))
        graphic->Draw(*this, r);
    Changed();
}

void TCanvas::CopyRect(const TRect& dest, TCanvas* source, const TRect& sourceRect)
{
    if (!source)
        return;
    Changing();
    HDC dc = Prepare(kBrush);
    HDC from = source->RawHandle();
    if (dc && from) {
        SetStretchBltMode(dc, COLORONCOLOR);
        StretchBlt(dc, dest.Left, dest.Top, dest.Width(), dest.Height(), from, sourceRect.Left, sourceRect.Top,
                   sourceRect.Width(), sourceRect.Height(), CopyMode);
    }
    Changed();
}

void TCanvas::BrushCopy(const TRect& dest, TBitmap* bitmap, const TRect& source, TColor colour)
{
    if (!bitmap || bitmap->Empty())
        return;
    TBitmap copy(source.Width(), source.Height(), TPixelFormat::pf32bit);
    copy.Canvas()->CopyRect(Rect(0, 0, source.Width(), source.Height()), bitmap->Canvas(), source);
    const COLORREF key = ColorToRGB(colour), fill = ColorToRGB(brush_->Color());
    TSurface& pixels = *copy.Surface();
    for (int y = 0; y < pixels.Height(); ++y) {
        std::uint8_t* p = pixels.ScanLine(y);
        for (int x = 0; x < pixels.Width(); ++x, p += 4)
            if (RGB(p[2], p[1], p[0]) == key) {
                p[0] = GetBValue(fill);
                p[1] = GetGValue(fill);
                p[2] = GetRValue(fill);
            }
    }
    StretchDraw(dest, &copy);
}

void Frame3D(TCanvas* canvas, TRect& rect, TColor topColour, TColor bottomColour, int width)
{
    if (!canvas)
        return;
    canvas->Pen()->SetWidth(1);
    --rect.Bottom;
    --rect.Right;
    for (int i = 0; i < width; ++i) {
        canvas->Pen()->SetColor(topColour);
        const TPoint topLeft[] = {Point(rect.Left, rect.Bottom), Point(rect.Left, rect.Top),
                                  Point(rect.Right, rect.Top)};
        canvas->Polyline(topLeft);
        canvas->Pen()->SetColor(bottomColour);
        const TPoint bottomRight[] = {Point(rect.Right, rect.Top), Point(rect.Right, rect.Bottom),
                                      Point(rect.Left - 1, rect.Bottom)};
        canvas->Polyline(bottomRight);
        rect = Rect(rect.Left + 1, rect.Top + 1, rect.Right - 1, rect.Bottom - 1);
    }
    ++rect.Bottom;
    ++rect.Right;
}

TColor TCanvas::Pixels(int x, int y)
{
    HDC dc = RawHandle();
    return dc ? TColor(GetPixel(dc, x, y)) : TColor(-1);
}

void TCanvas::SetPixel(int x, int y, TColor color)
{
    Changing();
    if (HDC dc = RawHandle())
        SetPixelV(dc, x, y, ColorToRGB(color));
    Changed();
}

TRect TCanvas::ClipRect()
{
    RECT r;
    if (HDC dc = RawHandle())
        GetClipBox(dc, &r);
    return r;
}

void TCanvas::Lock()
{
    lock_.lock();
    ++lockCount_;
}

void TCanvas::Unlock()
{
    --lockCount_;
    lock_.unlock();
}

bool TCanvas::TryLock()
{
    if (!lock_.try_lock())
        return false;
    ++lockCount_;
    return true;
}

} // namespace tovrel
