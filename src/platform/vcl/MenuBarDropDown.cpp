// The bar's drop-down: a menu level listing the open item's children. It
// holds the mouse capture while open, so a press anywhere else reaches it and
// closes it.
#include "platform/vcl/Forms.h"
#include "platform/vcl/MenuBar.h"
#include "platform/wm/Input.h"
#include "platform/wm/Window.h"

namespace tovrel {

void TMenuBar::ShowDropDown(TRect barItem)
{
    // Kept on the monitor: slid left, or shown above the bar, when it would leave it.
    const TPoint at = PlaceMenuLevel({barItem.Left, barItem.Bottom}, dropDown_.Size(), kSlideInside, barItem.Top);
    dropDown_.Show(FormHandle(), at);
    SetCapture(dropDown_.Window());
}

TRect TMenuBar::DropDownRowScreenRect(int index) const
{
    if (openIndex_ < 0)
        return {};
    const TMenuItem* parent = menu_.Items()->Items(openIndex_);
    if (index < 0 || index >= parent->Count())
        return {};
    return dropDown_.RowScreenRect(parent->Items(index));
}

void TMenuBar::LevelCancelled(TMenuLevel&)
{
    Close();
}

void TMenuBar::LevelMouse(TMenuLevel& level, UINT message, TPoint screen)
{
    const bool inside = level.ScreenRect().Contains(screen);
    const int barItem = inside ? -1 : ItemAtScreen(screen);
    switch (message) {
    case WM_MOUSEMOVE:
        if (inside)
            level.SetHotItem(level.ItemAt(screen));
        else if (barItem >= 0 && barItem != openIndex_ && menu_.Items()->Items(barItem)->Count() > 0) {
            Close();
            Open(barItem, false);
        }
        break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        // A press elsewhere closes; one on another bar item opens that one.
        if (!inside) {
            const int open = openIndex_;
            Close();
            if (barItem >= 0 && barItem != open)
                Open(barItem, false);
        }
        break;
    case WM_LBUTTONUP:
        if (TMenuItem* item = level.ItemAt(screen); item && MenuItemSelectable(item) && item->Count() == 0)
            Choose(item);
        break;
    default: break;
    }
}

} // namespace tovrel
