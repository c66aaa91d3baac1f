// What a shown level does: the cursor poll, scrolling of a level that shows
// part of its rows, clicks acted on at release, and the menu keys.
#include "platform/vcl/Menus.h"
#include "platform/vcl/Timer.h"
#include "platform/wm/Input.h"
#include "platform/wm/Keys.h"
#include "platform/wm/WindowPos.h"
#include "skin/menus/SkinMenu.h"
#include "skin/menus/SkinMenuItem.h"
#include "skin/menus/SkinPopupWindow.h"

namespace tovrel {

bool TskSkinPopupWindow::CanScroll(int Code) const
{
    if (Code == 1)
        return VisibleStartIndex > 0;
    if (Code == 2)
        return VisibleStartIndex + VisibleCount - 1 < int(ItemList.size()) - 1;
    return false;
}

void TskSkinPopupWindow::StartScroll()
{
    const int own = ParentMenu->IndexOfWindow(this);
    if (own + 1 < ParentMenu->LevelCount())
        ParentMenu->CloseLevels(own + 1);
    FScrollTimer->SetEnabled(false);
    FScrollTimer->SetEnabled(true);
}

void TskSkinPopupWindow::StopScroll()
{
    ScrollCode = 0;
    DrawMarkersNow();
    FScrollTimer->SetEnabled(false);
}

void TskSkinPopupWindow::ScrollTick()
{
    if (ScrollCode == 0)
        return;
    if (CanScroll(ScrollCode)) {
        if (ScrollCode == 1)
            ScrollUp(false);
        else
            ScrollDown(false);
    } else {
        StopScroll();
    }
}

int TskSkinPopupWindow::GetLastPageStart() const
{
    int space = NewItemsRect.Bottom - kScrollZone, fitting = 0;
    for (int i = int(ItemList.size()) - 1; i >= 0; --i) {
        space -= ItemList[std::size_t(i)]->Height();
        if (space < kScrollZone)
            break;
        ++fitting;
    }
    return int(ItemList.size()) - fitting;
}

void TskSkinPopupWindow::ScrollUp(bool Wrap)
{
    if (VisibleStartIndex > 0)
        --VisibleStartIndex;
    else if (Wrap)
        VisibleStartIndex = GetLastPageStart();
    ArrangeItems();
    Invalidate();
}

void TskSkinPopupWindow::ScrollDown(bool Wrap)
{
    if (CanScroll(2))
        ++VisibleStartIndex;
    else if (Wrap)
        VisibleStartIndex = 0;
    ArrangeItems();
    Invalidate();
}

void TskSkinPopupWindow::PollCursor()
{
    POINT screen{};
    GetCursorPos(&screen);
    const TPoint p = ScreenToClient(screen);
    if (p.X == OMX && p.Y == OMY)
        return;
    OMX = p.X;
    OMY = p.Y;
    if (WindowFromPoint(screen) == Handle()) {
        TrackMouse(p.X, p.Y);
    } else if (Scroll && ScrollCode != 0) {
        // Off the level a held zone no longer scrolls; the timer's ticks do nothing.
        ScrollCode = 0;
        DrawMarkersNow();
    }
}

void TskSkinPopupWindow::TrackMouse(int X, int Y)
{
    const TPoint p = Point(X, Y);
    if (Scroll) {
        const bool inTop = p.Y >= NewItemsRect.Top && p.Y < NewItemsRect.Top + kScrollZone;
        const bool inBottom = p.Y >= NewItemsRect.Bottom - kScrollZone && p.Y < NewItemsRect.Bottom;
        if (inTop && ScrollCode == 0 && CanScroll(1)) {
            ScrollCode = 1;
            DrawMarkersNow();
            StartScroll();
        } else if (inBottom && ScrollCode == 0 && CanScroll(2)) {
            ScrollCode = 2;
            DrawMarkersNow();
            StartScroll();
        } else if (!inTop && !inBottom && ScrollCode != 0) {
            StopScroll();
        }
    }
    if (ItemList.empty())
        return;
    OldActiveItem = ActiveItem;
    for (std::size_t i = 0; i < ItemList.size(); ++i)
        if (ItemList[i]->FVisible && ItemList[i]->ObjectRect.Contains(p)) {
            ActiveItem = int(i);
            break;
        }
    if (ActiveItem >= int(ItemList.size()))
        ActiveItem = -1;
    if (ActiveItem == OldActiveItem) {
        if (ActiveItem == -1)
            return;
        TskSkinMenuItem& item = *ItemList[std::size_t(ActiveItem)];
        if (item.WaitCommand) {
            item.WaitCommand = false;
            if (item.HasSubMenu())
                item.MouseEnter(false);
        }
        return;
    }
    if (OldActiveItem != -1 && ItemList[std::size_t(OldActiveItem)]->Selectable())
        ItemList[std::size_t(OldActiveItem)]->MouseLeave();
    if (ActiveItem != -1 && ItemList[std::size_t(ActiveItem)]->Selectable())
        ItemList[std::size_t(ActiveItem)]->MouseEnter(false);
}

void TskSkinPopupWindow::MouseUp(TMouseButton button, TShiftState shift, int x, int y)
{
    TCustomControl::MouseUp(button, shift, x, y);
    TrackMouse(x, y);
    if (button != mbLeft || ActiveItem == -1)
        return;
    TskSkinMenuItem& item = *ItemList[std::size_t(ActiveItem)];
    if (item.FVisible && item.ObjectRect.Contains(Point(x, y)) && item.Kind() != TskMenuItemKind::Divider)
        item.MouseDown();
}

bool TskSkinPopupWindow::IsShownIndex(int index) const
{
    return index >= VisibleStartIndex && index < VisibleStartIndex + VisibleCount;
}

void TskSkinPopupWindow::ChangeActive(int index, bool Kb)
{
    // A row chosen by key past the shown part is scrolled into view.
    if (Scroll && !IsShownIndex(index)) {
        VisibleStartIndex = std::min(index, GetLastPageStart());
        ArrangeItems();
        Invalidate();
    }
    if (index == ActiveItem)
        return;
    const int old = ActiveItem;
    ActiveItem = index;
    ItemList[std::size_t(index)]->MouseEnter(Kb);
    if (old != -1 && old != index)
        ItemList[std::size_t(old)]->MouseLeave();
}

void TskSkinPopupWindow::SelectNextItem()
{
    const int count = int(ItemList.size());
    const int lastShown = VisibleStartIndex + VisibleCount - 1;
    if (Scroll && ScrollCode == 0 && ActiveItem == lastShown && CanScroll(2))
        ScrollDown(true);
    int start = ActiveItem + 1;
    if (ActiveItem == -1 || start >= count)
        start = 0;
    for (int i = start; i < count; ++i) {
        if (ItemList[std::size_t(i)]->Selectable()) {
            ChangeActive(i, true);
            return;
        }
    }
}

void TskSkinPopupWindow::SelectPriorItem()
{
    const int count = int(ItemList.size());
    if (Scroll && ScrollCode == 0 && ActiveItem == VisibleStartIndex)
        ScrollUp(true);
    int start = ActiveItem - 1;
    if (ActiveItem == -1 || start < 0)
        start = count - 1;
    for (int i = start; i >= 0; --i) {
        if (ItemList[std::size_t(i)]->Selectable()) {
            ChangeActive(i, true);
            return;
        }
    }
}

void TskSkinPopupWindow::CloseChildLevels()
{
    const int own = ParentMenu->IndexOfWindow(this);
    if (own + 1 < ParentMenu->LevelCount())
        ParentMenu->CloseLevels(own + 1);
    for (auto& item : ItemList)
        if (item->Down) {
            item->Down = false;
            item->RedrawItem();
        }
}

void TskSkinPopupWindow::PopupKeyDown(int CharCode)
{
    if (!Visible())
        return;
    for (std::size_t i = 0; i < ItemList.size(); ++i) {
        TskSkinMenuItem& item = *ItemList[i];
        if (!IsAccel(WORD(CharCode), item.MenuItem->Caption()))
            continue;
        const int old = ActiveItem;
        item.MouseEnter(false);
        ActiveItem = int(i);
        if (old != -1 && old != int(i))
            ItemList[std::size_t(old)]->MouseLeave();
        item.MouseDown();
        return;
    }
    TskSkinMenu& engine = *ParentMenu;
    switch (CharCode) {
    case VK_RETURN:
        if (ActiveItem != -1)
            ItemList[std::size_t(ActiveItem)]->MouseDown();
        break;
    case VK_LEFT:
    case VK_ESCAPE:
        if (engine.LevelCount() >= 2) {
            TskSkinPopupWindow& below = *engine.Level(engine.LevelCount() - 2);
            if (below.ActiveItem != -1) {
                below.ItemList[std::size_t(below.ActiveItem)]->Down = false;
                below.ItemList[std::size_t(below.ActiveItem)]->RedrawItem();
            }
            engine.CloseLevels(engine.LevelCount() - 1);
        } else if (CharCode == VK_ESCAPE) {
            engine.CloseLevels(0);
        }
        break;
    case VK_RIGHT:
        if (ActiveItem != -1 && ItemList[std::size_t(ActiveItem)]->HasSubMenu())
            ItemList[std::size_t(ActiveItem)]->MouseDown();
        break;
    case VK_DOWN: SelectNextItem(); break;
    case VK_UP: SelectPriorItem(); break;
    default: break;
    }
}

} // namespace tovrel
