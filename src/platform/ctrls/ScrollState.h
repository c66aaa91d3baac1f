#pragma once
// The scroll state of a standard control's bars: range, page and position,
// kept and answered even while the bars are hidden (skinned controls hide the
// native bars and mirror this state into bars of their own).
#include "platform/ctrls/CommonControls.h"

namespace tovrel {

class TScrollState {
public:
    int Min() const { return min_; }
    int Max() const { return max_; }
    int Page() const { return page_; }
    int Pos() const { return pos_; }
    // The largest position: Max - Page + 1 when a page is set.
    int MaxPos() const;
    void SetRange(int min, int max);
    void SetPage(int page);
    // Clamped to Min..MaxPos; returns the position kept.
    int SetPos(int pos);
    void Get(SCROLLINFO& info) const;
    // Applies the masked fields; returns the position kept.
    int Set(const SCROLLINFO& info);
    bool Visible() const { return visible_; }
    void SetVisible(bool visible) { visible_ = visible; }

private:
    int min_ = 0, max_ = 0, page_ = 0, pos_ = 0;
    bool visible_ = false;
};

// A control whose window answers the scroll-state calls below.
class IScrollStateOwner {
public:
    virtual ~IScrollStateOwner() = default;
    // SB_HORZ or SB_VERT; null for other bars.
    virtual TScrollState* ScrollStateOf(int bar) = 0;
    // Told after a caller changed the state through the calls below.
    virtual void ScrollStateChanged(int /*bar*/) {}
};

// The position a WM_HSCROLL / WM_VSCROLL asks for, from `position`, moving
// `line` or `page` steps; SB_BOTTOM gives `last`. For SB_THUMBPOSITION and
// SB_THUMBTRACK everything above the low word of WParam is the position, so
// positions above 65535 are not cut. Unknown codes leave the position.
int ScrollRequest(WPARAM w, int position, int line, int page, int last);

// The platform's scroll-bar calls on the windows of the standard controls;
// windows without a state answer 0 / 0.
BOOL GetScrollInfo(HWND hwnd, int bar, SCROLLINFO* info);
int SetScrollInfo(HWND hwnd, int bar, const SCROLLINFO* info, BOOL redraw);
int GetScrollPos(HWND hwnd, int bar);
int SetScrollPos(HWND hwnd, int bar, int pos, BOOL redraw);
BOOL GetScrollRange(HWND hwnd, int bar, int* min, int* max);
BOOL SetScrollRange(HWND hwnd, int bar, int min, int max, BOOL redraw);
BOOL ShowScrollBar(HWND hwnd, int bar, BOOL show);

} // namespace tovrel
