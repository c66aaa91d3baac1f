// What of a window can be drawn, in its top-level window's surface coordinates.
#include "platform/wm/Styles.h"
#include "platform/wm/WmInternal.h"

namespace tovrel {

namespace {

TRegion ShapeInTopLevel(const TWindow& w)
{
    const TPoint o = OriginInTopLevel(w);
    TRegion shape(Bounds(o.X, o.Y, w.Rect.Width(), w.Rect.Height()));
    if (w.Region) {
        TRegion r = *w.Region;
        r.Offset(o.X, o.Y);
        shape = shape.Combined(r, TRegionOp::And);
    }
    return shape;
}

void SubtractVisible(TRegion& rgn, const std::vector<HWND>& windows)
{
    for (HWND h : windows) {
        auto s = LookupWindow(h);
        if (s && (s->Style & WS_VISIBLE))
            rgn = rgn.Combined(ShapeInTopLevel(*s), TRegionOp::Diff);
    }
}

std::vector<HWND> SiblingsAbove(const TWindow& parent, HWND hwnd)
{
    std::vector<HWND> above;
    for (HWND h : parent.Children) {
        if (h == hwnd)
            break;
        above.push_back(h);
    }
    return above;
}

} // namespace

TRegion VisibleRegion(const TWindow& w, TVisibleArea area)
{
    if (!IsVisibleChain(w))
        return {};
    const TPoint o = OriginInTopLevel(w);
    TRegion rgn = ShapeInTopLevel(w);
    if (area.ClientOnly)
        rgn = rgn.Combined(TRegion(Offset(w.Client, o.X, o.Y)), TRegionOp::And);
    const TWindow* current = &w;
    bool siblings = area.ClipSiblings || (w.Style & WS_CLIPSIBLINGS);
    while (current->Parent) {
        auto parent = LookupWindow(current->Parent);
        if (!parent)
            return {};
        const TPoint po = OriginInTopLevel(*parent);
        rgn = rgn.Combined(TRegion(Offset(parent->Client, po.X, po.Y)), TRegionOp::And);
        rgn = rgn.Combined(ShapeInTopLevel(*parent), TRegionOp::And);
        if (siblings)
            SubtractVisible(rgn, SiblingsAbove(*parent, current->Handle));
        current = parent.get();
        siblings = (current->Style & WS_CLIPSIBLINGS) != 0;
    }
    if (area.ClipChildren) {
        // Children show only inside the client area: the frame under their overhang stays drawable.
        TRegion children = rgn;
        SubtractVisible(children, w.Children);
        const TRegion outsideClient = rgn.Combined(TRegion(Offset(w.Client, o.X, o.Y)), TRegionOp::Diff);
        rgn = children.Combined(outsideClient, TRegionOp::Or);
    }
    return rgn;
}

} // namespace tovrel
