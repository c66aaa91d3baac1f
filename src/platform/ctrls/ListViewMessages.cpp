// The list view's LVM_* messages and the notifications it reflects to itself.
#include "platform/ctrls/ListView.h"

#include "platform/ctrls/ListViewInput.h"
#include "platform/vcl/ImageListHandles.h"
#include "platform/wm/MessageLoop.h"
#include "platform/wm/Paint.h"

namespace tovrel {

bool TCustomListView::HandleListViewMessage(TMessage& message)
{
    const WPARAM w = message.WParam;
    const LPARAM l = message.LParam;
    LRESULT& result = message.Result;
    const int index = int(w);
    const bool valid = index >= 0 && index < items_->Count();
    switch (message.Msg) {
    case LVM_GETITEMCOUNT: result = items_->Count(); return true;
    case LVM_GETCOUNTPERPAGE: result = CountPerPage(); return true;
    case LVM_GETTOPINDEX:
        // The icon views have no top item.
        result = viewStyle_ == vsReport ? top_ : viewStyle_ == vsList ? firstColumn_ * Layout().PerLine() : 0;
        return true;
    case LVM_GETHEADER: result = reinterpret_cast<LRESULT>(header_); return true;
    case LVM_SCROLL:
        ScrollByPixels(int(w), int(l));
        result = 1;
        return true;
    case LVM_ENSUREVISIBLE:
        EnsureVisible(index, l != 0);
        result = valid;
        return true;
    case LVM_REDRAWITEMS:
        Invalidate();
        result = 1;
        return true;
    case LVM_DELETEITEM:
        if (valid)
            items_->Delete(index);
        result = valid;
        return true;
    case LVM_DELETEALLITEMS:
        items_->Clear();
        result = 1;
        return true;
    case LVM_GETITEMSTATE: result = ItemState(index, UINT(l)); return true;
    case LVM_SETITEMSTATE: {
        // LParam: the state (low word) and its mask (high word), as one value here.
        const UINT state = LOWORD(ULONG_PTR(l)), mask = HIWORD(ULONG_PTR(l));
        if (index == -1) {
            for (int i = 0; i < items_->Count(); ++i)
                SetItemState(i, mask, state);
            result = 1;
        } else {
            result = SetItemState(index, mask, state);
        }
        return true;
    }
    case LVM_GETSELECTEDCOUNT: result = SelCount(); return true;
    case LVM_GETNEXTITEM: {
        const UINT flags = UINT(l);
        result = -1;
        for (int i = index + 1; i < items_->Count(); ++i) {
            const UINT state = ItemState(i, LVIS_SELECTED | LVIS_FOCUSED);
            if ((flags & (LVNI_SELECTED | LVNI_FOCUSED)) == 0 || (state & flags & (LVNI_SELECTED | LVNI_FOCUSED))) {
                result = i;
                break;
            }
        }
        return true;
    }
    case LVM_GETITEMRECT:
    case LVM_GETSUBITEMRECT: {
        auto* r = FromLParam<RECT>(l);
        if (!valid || !r) {
            result = 0;
            return true;
        }
        const int column = message.Msg == LVM_GETSUBITEMRECT ? r->Top : 0;
        const int part = r->Left;
        if (InCells())
            *r = ItemPartRect(index, message.Msg == LVM_GETITEMRECT ? part : LVIR_BOUNDS);
        else
            *r = message.Msg == LVM_GETITEMRECT && part == LVIR_BOUNDS ? RowRect(index) : CellRect(index, column);
        result = 1;
        return true;
    }
    case LVM_HITTEST: {
        auto* info = FromLParam<LVHITTESTINFO>(l);
        if (!info) {
            result = -1;
            return true;
        }
        if (InCells()) {
            info->iItem = CellHitTest(info->pt, &info->flags);
        } else {
            info->iItem = HitTest(info->pt, RowSelect());
            info->flags = info->iItem >= 0 ? LVHT_ONITEMLABEL : LVHT_NOWHERE;
        }
        result = info->iItem;
        return true;
    }
    case LVM_GETCOLUMNWIDTH:
        result = index >= 0 && index < columns_->Count() ? columns_->Items(index)->Width() : 0;
        return true;
    case LVM_DELETECOLUMN:
        result = index >= 0 && index < columns_->Count();
        if (result)
            columns_->Delete(index);
        return true;
    case LVM_SETCOLUMNWIDTH:
        if (index >= 0 && index < columns_->Count())
            columns_->Items(index)->SetWidth(int(l));
        result = index >= 0 && index < columns_->Count();
        return true;
    case LVM_GETCOLUMNORDERARRAY: result = header_ ? SendMessage(header_, HDM_GETORDERARRAY, w, l) : 0; return true;
    case LVM_SETCOLUMNORDERARRAY:
        result = header_ ? SendMessage(header_, HDM_SETORDERARRAY, w, l) : 0;
        Invalidate();
        return true;
    case LVM_SETEXTENDEDLISTVIEWSTYLE: {
        const DWORD mask = w ? DWORD(w) : 0xFFFFFFFF;
        result = LRESULT(extendedStyle_);
        extendedStyle_ = (extendedStyle_ & ~mask) | (DWORD(l) & mask);
        Invalidate();
        return true;
    }
    case LVM_GETEXTENDEDLISTVIEWSTYLE: result = LRESULT(extendedStyle_); return true;
    case LVM_GETIMAGELIST:
        result = reinterpret_cast<LRESULT>(ImageListHandle(int(w) == LVSIL_NORMAL  ? largeImages_.Get()
                                                           : int(w) == LVSIL_SMALL ? smallImages_.Get()
                                                                                   : nullptr));
        return true;
    case LVM_SETIMAGELIST: {
        // A zero handle clears; an unknown one is refused and changes nothing.
        const auto handle = reinterpret_cast<HIMAGELIST>(l);
        TCustomImageList* list = ImageListFromHandle(handle);
        const bool known = list || !handle;
        if (int(w) == LVSIL_NORMAL && known) {
            result = reinterpret_cast<LRESULT>(ImageListHandle(largeImages_));
            SetLargeImages(list);
        } else if (int(w) == LVSIL_SMALL && known) {
            result = reinterpret_cast<LRESULT>(ImageListHandle(smallImages_));
            SetSmallImages(list);
        } else {
            result = 0;
        }
        return true;
    }
    case LVM_EDITLABELW:
        BeginLabelEdit(index);
        result = editor_ && editor_->HandleAllocated() ? reinterpret_cast<LRESULT>(editor_->Handle()) : 0;
        return true;
    default: return false;
    }
}

void TCustomListView::ColClick(TListColumn* column)
{
    if (OnColumnClick)
        OnColumnClick(this, column);
}

void TCustomListView::DefaultHandler(TMessage& message)
{
    if (HandleListViewMessage(message) || input_->Handle(message))
        return;
    switch (message.Msg) {
    case WM_NOTIFY: {
        auto* header = FromLParam<NMHDR>(message.LParam);
        if (header && header->hwndFrom == header_ && header_)
            HeaderNotified(*header);
        return;
    }
    case CN_NOTIFY: {
        const auto* header = FromLParam<const NMHDR>(message.LParam);
        if (!header)
            return;
        if (header->code == LVN_BEGINLABELEDITW || header->code == LVN_ENDLABELEDITW) {
            const auto* info = FromLParam<const NMLVDISPINFO>(message.LParam);
            const int index = info->item.iItem;
            TListItem* item = index >= 0 && index < items_->Count() ? items_->Item(index) : nullptr;
            if (header->code == LVN_BEGINLABELEDITW) {
                bool allow = item != nullptr;
                if (allow && OnEditing)
                    OnEditing(this, item, allow);
                message.Result = !allow;
            } else {
                Edit(item, info->item.pszText);
            }
            return;
        }
        const auto* nm = FromLParam<const NMLISTVIEW>(message.LParam);
        // Fetched only for a handler, so owner-data rows are not filled for nothing.
        const bool valid = nm->iItem >= 0 && nm->iItem < items_->Count();
        const auto item = [&] { return items_->Item(nm->iItem); };
        switch (nm->hdr.code) {
        case LVN_ITEMCHANGING: {
            bool allow = true;
            if (OnChanging && valid)
                OnChanging(this, item(), ctState, allow);
            message.Result = !allow;
            break;
        }
        case LVN_ITEMCHANGED:
            if (OnChange && valid)
                OnChange(this, item(), ctState);
            if (OnSelectItem && valid && ((nm->uOldState ^ nm->uNewState) & LVIS_SELECTED))
                OnSelectItem(this, item(), (nm->uNewState & LVIS_SELECTED) != 0);
            break;
        case NM_CLICK: Click(); break;
        case NM_DBLCLK: DblClick(); break;
        case LVN_COLUMNCLICK:
            if (nm->iSubItem >= 0 && nm->iSubItem < columns_->Count())
                ColClick(columns_->Items(nm->iSubItem));
            break;
        default: break;
        }
        return;
    }
    case CM_FONTCHANGED:
        ItemsChanged(); // captions of another size
        break;
    default: break;
    }
    TWinControl::DefaultHandler(message);
}

} // namespace tovrel
