#pragma once
// The plain menu bar of a form's main menu, as the window system shows it:
// a row in the non-client area under the caption with the items' captions
// ("&" letters underlined). A press on an item, Alt+letter, or Alt or F10
// alone opens a drop-down listing the item's children in a popup that never
// takes the focus; a click on a child (or Enter) runs it through WM_COMMAND,
// Escape or a press elsewhere closes it. Skinned forms answer the non-client
// messages themselves and show their own bar instead.
#include "platform/vcl/ControlTypes.h"
#include "platform/vcl/MenuLevel.h"
#include "platform/vcl/Menus.h"

#include <vector>

namespace tovrel {

class TCustomForm;

class TMenuBar final : private TMenuLevelHost {
public:
    TMenuBar(TCustomForm& form, TMainMenu& menu);
    ~TMenuBar();
    TMenuBar(const TMenuBar&) = delete;
    TMenuBar& operator=(const TMenuBar&) = delete;

    // The bar's share of a form message; `inherited` is the form's own
    // handling. True when the message was handled here.
    bool FormMessage(TMessage& message, const TWndMethod& inherited);
    // A key pressed while a drop-down is open (all keys go to the menu then);
    // false when none is open.
    bool DropDownKey(WORD key);
    // The menu's items changed: the row is measured and drawn again.
    void MenuChanged();

    // Opens the drop-down of the bar item at `index` (an index among the
    // menu's top items); a top item without children runs at once.
    void Open(int index, bool selectFirst);
    void Close();
    int OpenIndex() const { return openIndex_; }
    bool Shows(const TMenu* menu) const { return &menu_ == menu; }
    // The open drop-down's window, or null when none is open.
    HWND DropDown() const;
    // Screen rectangles of a top item on the bar and of a row of the open
    // drop-down (by index among the open item's children); empty when hidden.
    TRect ItemScreenRect(int index) const;
    TRect DropDownRowScreenRect(int index) const;

private:
    HWND FormHandle() const;
    int Height() const;
    TRect RowRect() const;                // window coordinates
    std::vector<TRect> ItemRects() const; // window coordinates, one per top item
    int ItemAtScreen(TPoint screen) const;
    void Paint(HDC dc) const;
    void Redraw() const;
    bool SysCommand(WPARAM command, LPARAM lParam);
    int NextTopItem(int from, int step) const;
    void Choose(TMenuItem* item);

    // The drop-down (MenuBarDropDown.cpp).
    void ShowDropDown(TRect barItem);
    void LevelMouse(TMenuLevel& level, UINT message, TPoint screen) override;
    void LevelCancelled(TMenuLevel& level) override;

    TCustomForm& form_;
    TMainMenu& menu_;
    TMenuLevel dropDown_{*this};
    int openIndex_ = -1;
};

// Told by a menu whose items changed; the bars showing it follow.
void MenuBarsChanged(const TMenu* menu);

} // namespace tovrel
