// Renaming a tree view node in place.
#include "platform/ctrls/TreeView.h"

#include "platform/ctrls/InPlaceEditor.h"

#include <algorithm>
#include <utility>

namespace tovrel {

void TTreeNode::EditText()
{
    owner_.Perform(TVM_EDITLABELW, 0, ToLParam(this));
}

void TCustomTreeView::BeginEditing(TTreeNode* node)
{
    EndEditing(true);
    if (ReadOnly || !node || !HandleAllocated())
        return;
    NMTVDISPINFO info;
    info.hdr.hwndFrom = Handle();
    info.hdr.code = TVN_BEGINLABELEDITW;
    info.item = node;
    if (Perform(CN_NOTIFY, 0, ToLParam(&info)) != 0)
        return;
    EnsureVisible(node);
    const TRect r = NodeRect(node, true);
    editing_ = node;
    editor_ = new TInPlaceEditor(*this, [this](bool keep) { EndEditing(keep); });
    editor_->SetParent(this);
    editor_->SetBounds(r.Left, r.Top - 1, std::max(r.Width() + 20, 60), r.Height() + 2);
    editor_->SetText(node->Text());
    editor_->SetFocus();
    editor_->SelectAll();
}

void TCustomTreeView::EndEditing(bool keep)
{
    if (!editing_ || !editor_)
        return;
    if (ComponentState().Contains(csDestroying)) {
        editing_ = nullptr;
        editor_ = nullptr; // goes with its parent
        return;
    }
    TTreeNode* node = std::exchange(editing_, nullptr);
    std::string text = CloseInPlaceEditor(*std::exchange(editor_, nullptr), *this);
    NMTVDISPINFO info;
    info.hdr.hwndFrom = HandleAllocated() ? Handle() : nullptr;
    info.hdr.code = TVN_ENDLABELEDITW;
    info.item = node;
    info.pszText = keep ? text.data() : nullptr;
    Perform(CN_NOTIFY, 0, ToLParam(&info));
}

void TCustomTreeView::Edit(TTreeNode* node, const char* text)
{
    if (!node || !text)
        return;
    std::string caption = text;
    if (OnEdited)
        OnEdited(this, node, caption);
    node->SetText(caption);
}

} // namespace tovrel
