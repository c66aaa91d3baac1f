#pragma once
// Device contexts: a drawing target (the bitmap selected into a memory DC, or a
// window's part of a backing surface) plus the state drawing calls read —
// origins, clip, selected pen, brush and font, colours and modes.
//
// Coordinates: logical (what callers pass) map to surface pixels as
//   surface = logical - window origin + viewport origin + base origin.
// "Device" coordinates, in which clip regions are given and returned, are the
// DC's own pixels: surface minus base origin. A memory DC has base origin (0,0).
//
// Alpha byte of 32-bit targets: every raster operation works on all four bytes,
// and solid colours (pens, brushes, text, background) carry alpha 0. So fills,
// lines, shapes, edges and text leave alpha 0 on what they paint; BitBlt SRCCOPY
// and the stretch and DIB copies carry the source's alpha over from 32-bit
// sources and write 0 from 24-bit ones; inversions invert alpha too; AlphaBlend
// reads alpha (see Blits.h); TransparentBlt copies alpha with the pixels it keeps.
#include "platform/gdi/GdiObject.h"

#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace tovrel {

class TDeviceContext : public TGdiObject {
public:
    // Memory DC: starts with a stock 1 x 1 bitmap selected.
    TDeviceContext();
    // Window DC over part of a backing surface; no bitmap can be selected into it.
    TDeviceContext(std::shared_ptr<TSurface> surface, TPoint baseOrigin, const TRegion& baseClip);
    DWORD ObjectType() const override { return memory_ ? OBJ_MEMDC : OBJ_DC; }
    bool IsMemoryDC() const { return memory_; }

    // For the window layer: move the DC's part of the surface (e.g. per paint).
    void SetBase(TPoint baseOrigin, const TRegion& baseClip);
    TPoint BaseOrigin() const { return baseOrigin_; }

    // Target pixels (Row(0) is the top row) and coordinate mapping.
    TPixelView Pixels() const;
    TPoint LogicalToSurface(TPoint p) const;
    TRect LogicalToSurface(const TRect& r) const;
    TPoint SurfaceToLogical(TPoint p) const;
    // The pixels drawing may touch, in surface coordinates: the target's bounds,
    // the base clip and the selected clip region together.
    const TRegion& SurfaceClip() const;

    // Selected objects (never null: defaults are the stock objects).
    const LOGFONT& Font() const { return state_.Font->Log; }
    const TGdiPen& Pen() const { return *state_.Pen; }
    const TGdiBrush& Brush() const { return *state_.Brush; }
    std::shared_ptr<TGdiBitmap> Bitmap() const { return state_.Bitmap; }
    HGDIOBJ Select(HGDIOBJ object); // returns the previous handle of that kind, or null
    HGDIOBJ CurrentHandle(UINT objectType) const;

    // Colours and modes.
    struct TModes {
        COLORREF TextColor = 0;
        COLORREF BkColor = RGB(255, 255, 255);
        int BkMode = OPAQUE;
        int Rop2 = R2_COPYPEN;
        int StretchMode = BLACKONWHITE;
        UINT TextAlign = TA_LEFT | TA_TOP;
        COLORREF DcBrushColor = RGB(255, 255, 255);
        COLORREF DcPenColor = 0;
        TPoint BrushOrigin;
    };
    TModes& Modes() { return state_.Modes; }
    const TModes& Modes() const { return state_.Modes; }
    COLORREF TextColor() const { return state_.Modes.TextColor; }
    COLORREF BkColor() const { return state_.Modes.BkColor; }
    int BkMode() const { return state_.Modes.BkMode; }
    UINT TextAlign() const { return state_.Modes.TextAlign; }
    // The colour the selected pen/brush paints with (DC_PEN / DC_BRUSH resolved).
    COLORREF PenColor() const;
    COLORREF BrushColor() const;

    // Origins (logical values as set by the calls of the same names).
    TPoint WindowOrigin() const { return state_.WindowOrg; }
    TPoint ViewportOrigin() const { return state_.ViewportOrg; }
    void SetWindowOrigin(TPoint p) { state_.WindowOrg = p; }
    void SetViewportOrigin(TPoint p) { state_.ViewportOrg = p; }
    TPoint PenPosition() const { return state_.PenPos; }
    void SetPenPosition(TPoint p) { state_.PenPos = p; }

    // Clip region in device coordinates; nullopt = none selected.
    const std::optional<TRegion>& ClipRegion() const { return state_.Clip; }
    void SetClipRegion(std::optional<TRegion> clip);

    int Save();              // returns the new save level
    bool Restore(int level); // negative: relative to the current level

    // Painting helpers in surface coordinates, clipped by SurfaceClip().
    void ForEachVisibleRect(const TRect& area, const std::function<void(const TRect&)>& fn) const;
    void FillSurfaceRegion(const TRegion& area, TPixel value); // plain copy
    // Paints colour over the pixels whose coverage (0..255) is above 0, blending
    // by coverage; alpha of painted pixels becomes 0. Used for glyphs.
    void BlendCoverage(int left, int top, const std::uint8_t* coverage, int width, int height, int stride,
                       COLORREF colour);

private:
    struct TState {
        std::shared_ptr<TGdiBitmap> Bitmap;
        HGDIOBJ BitmapHandle = nullptr;
        std::shared_ptr<TGdiPen> Pen;
        HGDIOBJ PenHandle = nullptr;
        std::shared_ptr<TGdiBrush> Brush;
        HGDIOBJ BrushHandle = nullptr;
        std::shared_ptr<TGdiFont> Font;
        HGDIOBJ FontHandle = nullptr;
        TPoint WindowOrg;
        TPoint ViewportOrg;
        TPoint PenPos;
        std::optional<TRegion> Clip;
        TModes Modes;
    };
    void SelectDefaults();
    void ClipChanged() { clipValid_ = false; }

    bool memory_ = true;
    TPoint baseOrigin_;
    std::optional<TRegion> baseClip_; // surface coordinates
    TState state_;
    std::vector<TState> saved_;
    mutable TRegion clip_;
    mutable TRect clipBounds_;
    mutable bool clipValid_ = false;
};

std::shared_ptr<TDeviceContext> FindDeviceContext(HDC dc);
// For the window layer: a DC drawing into a window's part of a shared surface.
// Release it with DeleteDC.
HDC CreateSurfaceDC(std::shared_ptr<TSurface> surface, TPoint baseOrigin, const TRegion& baseClip);

// The platform's device-context calls. Failing calls return 0/false/ERROR as the
// platform does; unknown handles always fail.
HDC CreateCompatibleDC(HDC dc);
BOOL DeleteDC(HDC dc);
int SaveDC(HDC dc);
BOOL RestoreDC(HDC dc, int savedDC);

// Restores a device context's state (clip, origin, objects, modes) when the
// scope ends, whatever way it ends.
class TSavedDC {
public:
    explicit TSavedDC(HDC dc) : dc_(dc), level_(SaveDC(dc)) {}
    ~TSavedDC() { RestoreDC(dc_, level_); }
    TSavedDC(const TSavedDC&) = delete;
    TSavedDC& operator=(const TSavedDC&) = delete;
    // 0 when the state could not be saved (a freed DC).
    int Level() const { return level_; }

private:
    HDC dc_;
    int level_;
};
int GetDeviceCaps(HDC dc, int index);

BOOL SetWindowOrgEx(HDC dc, int x, int y, POINT* old);
BOOL GetWindowOrgEx(HDC dc, POINT* p);
BOOL SetViewportOrgEx(HDC dc, int x, int y, POINT* old);
BOOL GetViewportOrgEx(HDC dc, POINT* p);
BOOL OffsetViewportOrgEx(HDC dc, int dx, int dy, POINT* old);
BOOL OffsetWindowOrgEx(HDC dc, int dx, int dy, POINT* old);
BOOL SetBrushOrgEx(HDC dc, int x, int y, POINT* old);

COLORREF SetTextColor(HDC dc, COLORREF c);
COLORREF GetTextColor(HDC dc);
COLORREF SetBkColor(HDC dc, COLORREF c);
COLORREF GetBkColor(HDC dc);
int SetBkMode(HDC dc, int mode);
int GetBkMode(HDC dc);
int SetROP2(HDC dc, int mode);
int GetROP2(HDC dc);
int SetStretchBltMode(HDC dc, int mode);
int GetStretchBltMode(HDC dc);
UINT SetTextAlign(HDC dc, UINT align);
UINT GetTextAlign(HDC dc);
COLORREF SetDCBrushColor(HDC dc, COLORREF c);
COLORREF SetDCPenColor(HDC dc, COLORREF c);

// Clipping (rectangles in logical, regions in device coordinates).
int IntersectClipRect(HDC dc, int left, int top, int right, int bottom);
int ExcludeClipRect(HDC dc, int left, int top, int right, int bottom);
int SelectClipRgn(HDC dc, HRGN rgn);
int ExtSelectClipRgn(HDC dc, HRGN rgn, int mode);
int OffsetClipRgn(HDC dc, int dx, int dy);
int GetClipBox(HDC dc, RECT* r);
int GetClipRgn(HDC dc, HRGN rgn); // 1 and a copy when a clip region is selected, 0 when none, -1 on error
BOOL PtVisible(HDC dc, int x, int y);
BOOL RectVisible(HDC dc, const RECT* r);

} // namespace tovrel
