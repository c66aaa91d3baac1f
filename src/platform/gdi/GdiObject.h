#pragma once
// The objects behind the handles and the table that maps handles to them.
// The table holds shared references: a call that looked an object up keeps it
// alive even if another call deletes its handle meanwhile, and a device context
// keeps what is selected into it, so deleting a selected object never leaves a
// dangling pointer (the handle dies at once; the memory when deselected).
#include "platform/gdi/GdiTypes.h"
#include "platform/gdi/PixelView.h"
#include "platform/gdi/Region.h"
#include "platform/gdi/Surface.h"

#include <memory>

namespace tovrel {

class TGdiObject {
public:
    virtual ~TGdiObject() = default;
    virtual DWORD ObjectType() const = 0;
    bool Stock = false; // stock objects ignore DeleteObject
};

class TGdiBitmap : public TGdiObject {
public:
    TGdiBitmap(int width, int height, TPixelFormat format, bool bottomUp, bool dibSection);
    explicit TGdiBitmap(std::shared_ptr<TSurface> surface); // a window's part of a backing surface
    DWORD ObjectType() const override { return OBJ_BITMAP; }

    TSurface& Surface() { return *surface_; }
    std::shared_ptr<TSurface> SharedSurface() const { return surface_; }
    // The stock 1 x 1 bitmap that memory DCs start with is shared by every
    // thread, so it offers no pixels: drawing on a DC without a bitmap does nothing.
    TPixelView Pixels() { return Stock ? TPixelView{} : TPixelView::Of(*surface_, bottomUp_); }
    bool BottomUp() const { return bottomUp_; }
    bool IsDibSection() const { return dibSection_; }

private:
    std::shared_ptr<TSurface> surface_;
    bool bottomUp_ = false;
    bool dibSection_ = false;
};

class TGdiPen : public TGdiObject {
public:
    explicit TGdiPen(const LOGPEN& lp) : Log(lp) {}
    DWORD ObjectType() const override { return OBJ_PEN; }
    bool IsNull() const { return Log.lopnStyle == PS_NULL; }
    int Width() const { return Log.lopnWidth.X < 1 ? 1 : Log.lopnWidth.X; }
    LOGPEN Log;
};

class TGdiBrush : public TGdiObject {
public:
    explicit TGdiBrush(const LOGBRUSH& lb) : Log(lb) {}
    DWORD ObjectType() const override { return OBJ_BRUSH; }
    bool IsNull() const { return Log.lbStyle == BS_NULL; }
    LOGBRUSH Log;
    std::shared_ptr<TSurface> Pattern; // BS_PATTERN: a copy of the bitmap at creation, 32-bit
};

class TGdiFont : public TGdiObject {
public:
    explicit TGdiFont(const LOGFONT& lf) : Log(lf) {}
    DWORD ObjectType() const override { return OBJ_FONT; }
    LOGFONT Log;
};

class TGdiRegion : public TGdiObject {
public:
    explicit TGdiRegion(TRegion r) : Region(std::move(r)) {}
    DWORD ObjectType() const override { return OBJ_REGION; }
    TRegion Region;
};

// The handle table. Thread-safe; handles are never reused.
HGDIOBJ RegisterGdiObject(std::shared_ptr<TGdiObject> object);
std::shared_ptr<TGdiObject> FindGdiObject(HGDIOBJ h);
bool UnregisterGdiObject(HGDIOBJ h); // false for unknown handles and stock objects

template <class T> std::shared_ptr<T> FindGdiObjectAs(HGDIOBJ h)
{
    return std::dynamic_pointer_cast<T>(FindGdiObject(h));
}

} // namespace tovrel
