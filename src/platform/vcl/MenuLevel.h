#pragma once
// One level of a plain menu, as the window system draws it: a popup window
// that never takes the focus, listing the visible children of an item in
// rows (captions with their "&" letters underlined, shortcuts on the right,
// check or radio marks, disabled rows greyed, separators, an arrow on rows
// with children). The menu bar's drop-down and the plain popup menu with its
// submenus are made of these; what a press or a key does is their host's.
#include "platform/vcl/Menus.h"

#include <limits>
#include <vector>

namespace tovrel {

class TMenuLevel;

// Told of the mouse over a level (while a level holds the capture: wherever
// the pointer is), and that a level's menu should close: the level lost the
// capture to another window, the application lost the desktop, or the level's
// window went with its owner.
class TMenuLevelHost {
public:
    virtual void LevelMouse(TMenuLevel& level, UINT message, TPoint screen) = 0;
    virtual void LevelCancelled(TMenuLevel& level) = 0;

protected:
    ~TMenuLevelHost() = default;
};

// A row that can be hot and chosen: visible, enabled, not a separator.
bool MenuItemSelectable(const TMenuItem* item);

// A flipped edge that slides the level back inside the work area instead.
constexpr int kSlideInside = std::numeric_limits<int>::max();

// The top-left corner of a level of `size` shown at `at`, kept on the work
// area of the monitor there: where it would run off the right its right edge
// goes to `rightWhenFlipped`, off the bottom its bottom edge goes to
// `bottomWhenFlipped`; what still sticks out is moved inside.
TPoint PlaceMenuLevel(TPoint at, TSize size, int rightWhenFlipped, int bottomWhenFlipped);

class TMenuLevel {
public:
    explicit TMenuLevel(TMenuLevelHost& host);
    ~TMenuLevel();
    TMenuLevel(const TMenuLevel&) = delete;
    TMenuLevel& operator=(const TMenuLevel&) = delete;

    // Lists the visible children of `parent` and measures the level; no row is hot.
    void LayOut(TMenuItem& parent);
    TMenuItem* Parent() const { return parent_; }
    TSize Size() const { return size_; }
    bool HasRows() const { return !rows_.empty(); }
    // Shows the level with its top-left corner at `screen`, topmost and not
    // activated. Its window is owned by `owner` and made again when the old
    // one went with its owner.
    void Show(HWND owner, TPoint screen);
    // Shows the level as the submenu of its parent's row in `parentLevel`:
    // to the right of that level, its first row beside the row (to the left,
    // or moved up, where the monitor has no room).
    void ShowBeside(const TMenuLevel& parentLevel, HWND owner);
    void Hide();
    bool Shown() const;
    HWND Window() const { return window_; }
    TRect ScreenRect() const;

    // The row's item under a screen point (separators and disabled rows too), or null.
    TMenuItem* ItemAt(TPoint screen) const;
    // Empty when the item has no row here.
    TRect RowScreenRect(const TMenuItem* item) const;
    TMenuItem* HotItem() const;
    // An item that is not a selectable row of this level leaves no row hot.
    void SetHotItem(const TMenuItem* item);
    // The next selectable row up (-1) or down (+1), wrapping.
    void MoveHot(int step);
    // The selectable rows whose "&" letter is `key`, the first one after the hot row first.
    std::vector<TMenuItem*> AccelItems(WORD key) const;

    // The window procedure of every level.
    static LRESULT WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

private:
    struct TRow {
        TMenuItem* Item;
        TRect Bounds; // client coordinates
    };

    int RowOf(const TMenuItem* item) const;
    void SetHot(int row);
    void Paint(HDC dc) const;
    void PaintRow(HDC dc, const TRow& row, bool hot) const;
    void DetachWindow();

    TMenuLevelHost& host_;
    HWND window_ = nullptr;
    TMenuItem* parent_ = nullptr;
    std::vector<TRow> rows_;
    int hot_ = -1; // index into rows_
    TSize size_;
};

} // namespace tovrel
