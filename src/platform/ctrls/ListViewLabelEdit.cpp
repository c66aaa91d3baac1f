// Editing a list view item's caption in place.
#include "platform/ctrls/ListView.h"

#include "platform/ctrls/InPlaceEditor.h"
#include "platform/wm/MessageLoop.h"

#include <algorithm>
#include <utility>

namespace tovrel {

void TListItem::EditCaption()
{
    owner_.Perform(LVM_EDITLABELW, WPARAM(Index()), 0);
}

void TCustomListView::BeginLabelEdit(int index)
{
    EndLabelEdit(true);
    if (ReadOnly || index < 0 || index >= items_->Count() || !HandleAllocated())
        return;
    NMLVDISPINFO info;
    info.hdr.hwndFrom = Handle();
    info.hdr.code = LVN_BEGINLABELEDITW;
    info.item.iItem = index;
    if (Perform(CN_NOTIFY, 0, ToLParam(&info)) != 0)
        return;
    EnsureVisible(index);
    TRect r;
    if (InCells()) {
        r = ItemPartRect(index, LVIR_LABEL);
        if (viewStyle_ == vsIcon) // one line of the wrapped caption's room
            r.Bottom = r.Top + RowHeight();
    } else {
        r = columns_->Count() ? CellRect(index, 0) : RowRect(index);
        if (smallImages_)
            r.Left += smallImages_->Width() + 2;
    }
    editing_ = index;
    editor_ = new TInPlaceEditor(*this, [this](bool keep) { EndLabelEdit(keep); });
    editor_->SetParent(this);
    editor_->SetBounds(r.Left, r.Top - 1, std::max(r.Width(), 40), r.Height() + 2);
    editor_->SetText(items_->Item(index)->Caption());
    editor_->SetFocus();
    editor_->SelectAll();
}

void TCustomListView::EndLabelEdit(bool keep)
{
    if (editing_ < 0 || !editor_)
        return;
    if (ComponentState().Contains(csDestroying)) {
        editing_ = -1;
        editor_ = nullptr; // goes with its parent
        return;
    }
    const int index = std::exchange(editing_, -1);
    std::string text = CloseInPlaceEditor(*std::exchange(editor_, nullptr), *this);
    NMLVDISPINFO info;
    info.hdr.hwndFrom = HandleAllocated() ? Handle() : nullptr;
    info.hdr.code = LVN_ENDLABELEDITW;
    info.item.iItem = index;
    info.item.pszText = keep ? text.data() : nullptr;
    Perform(CN_NOTIFY, 0, ToLParam(&info));
}

void TCustomListView::Edit(TListItem* item, const char* text)
{
    if (!item || !text)
        return;
    std::string caption = text;
    if (OnEdited)
        OnEdited(this, item, caption);
    item->SetCaption(caption);
}

} // namespace tovrel
