#include "platform/ctrls/TreeView.h"

#include "platform/ctrls/ControlNotify.h"
#include "platform/ctrls/TextMeasure.h"
#include "platform/ctrls/TreeViewInput.h"

#include <algorithm>

namespace tovrel {

TCustomTreeView::TCustomTreeView(TComponent* owner)
    : TWinControl(owner), items_(std::make_unique<TTreeNodes>(*this)), input_(std::make_unique<TTreeViewInput>(*this))
{
    SetBounds(0, 0, 121, 97);
    SetTabStop(true);
    SetColor(clWindow);
    ControlStyle.Exclude(csClickEvents); // clicks come from NM_CLICK
    ControlStyle.Exclude(csCaptureMouse);
    ControlStyle.Include(csDoubleClicks);
}

TCustomTreeView::~TCustomTreeView()
{
    Destroying();
    DestroyHandle();
    selected_ = nullptr;
    items_.reset();
}

void TCustomTreeView::CreateParams(TCreateParams& params)
{
    TWinControl::CreateParams(params);
    params.ExStyle |= WS_EX_CLIENTEDGE;
}

void TCustomTreeView::SetIndent(int value)
{
    indent_ = std::max(1, value);
    NodesChanged();
}

int TCustomTreeView::RowHeight()
{
    const int text = TTextMeasure(*Font()).LineHeight() + 2;
    const int image =
        std::max(windowImages_ ? windowImages_->Height() : 0, windowStateImages_ ? windowStateImages_->Height() : 0);
    return std::max(text, image > 0 ? image + 1 : 0);
}

int TCustomTreeView::VisibleCount()
{
    return std::max(1, ClientHeight() / std::max(1, RowHeight()));
}

const std::vector<TTreeNode*>& TCustomTreeView::Rows()
{
    if (rowsValid_ || !items_)
        return rows_;
    rows_.clear();
    contentWidth_ = -1;
    std::vector<TTreeNode*> stack;
    const TTreeNode& root = items_->Root();
    for (int i = root.Count() - 1; i >= 0; --i)
        stack.push_back(root.Item(i));
    while (!stack.empty()) {
        TTreeNode* node = stack.back();
        stack.pop_back();
        rows_.push_back(node);
        if (node->Expanded())
            for (int i = node->Count() - 1; i >= 0; --i)
                stack.push_back(node->Item(i));
    }
    rowsValid_ = true;
    return rows_;
}

int TCustomTreeView::RowOf(const TTreeNode* node)
{
    const auto& rows = Rows();
    const auto it = std::find(rows.begin(), rows.end(), node);
    return it == rows.end() ? -1 : int(it - rows.begin());
}

TTreeNode* TCustomTreeView::TopItem()
{
    const auto& rows = Rows();
    return top_ < int(rows.size()) ? rows[std::size_t(top_)] : nullptr;
}

void TCustomTreeView::NodesChanged()
{
    rowsValid_ = false;
    if (ComponentState().Contains(csDestroying) || !items_ || updateCount_ > 0)
        return;
    UpdateScrollState();
    Invalidate();
}

void TCustomTreeView::Invalidate()
{
    if (updateCount_ == 0)
        TWinControl::Invalidate();
}

void TCustomTreeView::BeginUpdate()
{
    ++updateCount_;
}

void TCustomTreeView::EndUpdate()
{
    if (updateCount_ == 0 || --updateCount_ > 0)
        return;
    NodesChanged();
}

void TCustomTreeView::NodeDeleting(TTreeNode* node)
{
    // Renaming a node that goes is cancelled.
    for (TTreeNode* p = editing_; p; p = p->Parent())
        if (p == node) {
            EndEditing(false);
            break;
        }
    for (TTreeNode* p = selected_; p; p = p->Parent())
        if (p == node) {
            selected_ = nullptr;
            break;
        }
    // A delayed OnChange never reports a node that is gone.
    for (TTreeNode* p = pendingChange_; p; p = p->Parent())
        if (p == node) {
            pendingChange_ = nullptr;
            break;
        }
    rowsValid_ = false;
}

void TCustomTreeView::BoundsChanged()
{
    TWinControl::BoundsChanged();
    UpdateScrollState();
}

void TCustomTreeView::EnsureVisible(TTreeNode* node)
{
    if (!node)
        return;
    for (TTreeNode* p = node->Parent(); p && p->Parent(); p = p->Parent())
        if (!p->Expanded())
            ExpandNode(p, true);
    const int row = RowOf(node);
    if (row < top_)
        SetTop(row);
    else if (row >= top_ + VisibleCount())
        SetTop(row - VisibleCount() + 1);
}

LRESULT TCustomTreeView::SendNotify(int code, TTreeNode* node)
{
    return SendSelectionNotify(code, nullptr, node);
}

LRESULT TCustomTreeView::SendSelectionNotify(int code, TTreeNode* oldNode, TTreeNode* newNode)
{
    NMTREEVIEW nm;
    nm.itemOld = oldNode;
    nm.itemNew = newNode;
    return SendReflectedNotify(*this, code, nm.hdr);
}

LRESULT TCustomTreeView::SendExpandNotify(int code, TTreeNode* node, UINT action)
{
    NMTREEVIEW nm;
    nm.action = action;
    nm.itemNew = node;
    return SendReflectedNotify(*this, code, nm.hdr);
}

void TCustomTreeView::SetSelected(TTreeNode* node)
{
    // By code: the notifications are sent as for the user.
    SelectByUser(node);
}

bool TCustomTreeView::SelectByUser(TTreeNode* node)
{
    if (node == selected_)
        return true;
    if (SendSelectionNotify(TVN_SELCHANGINGW, selected_, node) != 0)
        return false;
    TTreeNode* old = selected_;
    selected_ = node;
    EnsureVisible(node);
    Invalidate();
    SendSelectionNotify(TVN_SELCHANGEDW, old, node);
    return true;
}

bool TCustomTreeView::ExpandNode(TTreeNode* node, bool expand)
{
    if (!node || node->expanded_ == expand)
        return true;
    const UINT action = UINT(expand ? TVE_EXPAND : TVE_COLLAPSE);
    if (SendExpandNotify(TVN_ITEMEXPANDINGW, node, action) != 0)
        return false;
    node->expanded_ = expand;
    // A collapse that hides the selection moves it to the collapsed node.
    if (!expand)
        for (TTreeNode* p = selected_ ? selected_->Parent() : nullptr; p; p = p->Parent())
            if (p == node) {
                SelectByUser(node);
                break;
            }
    NodesChanged();
    SendExpandNotify(TVN_ITEMEXPANDEDW, node, action);
    return true;
}

void TCustomTreeView::SetTopItem(TTreeNode* node)
{
    if (!node || &node->TreeView() != this)
        return;
    for (TTreeNode* p = node->Parent(); p && p->Parent(); p = p->Parent())
        if (!p->Expanded())
            ExpandNode(p, true);
    const int row = RowOf(node);
    if (row >= 0)
        SetTop(row);
}

void TCustomTreeView::FullExpand()
{
    for (int i = 0; i < items_->Root().Count(); ++i)
        items_->Root().Item(i)->Expand(true);
}

void TCustomTreeView::FullCollapse()
{
    for (int i = 0; i < items_->Root().Count(); ++i)
        items_->Root().Item(i)->Collapse(true);
}

bool TCustomTreeView::HandleTreeMessage(TMessage& message)
{
    auto* node = FromLParam<TTreeNode>(message.LParam);
    switch (message.Msg) {
    case TVM_GETCOUNT: message.Result = items_->Count(); return true;
    case TVM_GETVISIBLECOUNT: message.Result = VisibleCount(); return true;
    case TVM_EXPAND:
        if (!node) {
            message.Result = 0;
            return true;
        }
        switch (message.WParam & 0x3) {
        case TVE_COLLAPSE: message.Result = ExpandNode(node, false); break;
        case TVE_EXPAND: message.Result = ExpandNode(node, true); break;
        case TVE_TOGGLE: message.Result = ExpandNode(node, !node->Expanded()); break;
        default: message.Result = 0; break;
        }
        return true;
    case TVM_SELECTITEM:
        if (message.WParam == TVGN_FIRSTVISIBLE) {
            SetTopItem(node);
            message.Result = node != nullptr;
        } else {
            message.Result = message.WParam == TVGN_CARET && SelectByUser(node);
        }
        return true;
    case TVM_HITTEST: {
        auto* info = FromLParam<TVHITTESTINFO>(message.LParam);
        if (!info) {
            message.Result = 0;
            return true;
        }
        info->hItem = HitTest(info->pt, info->flags);
        message.Result = reinterpret_cast<LRESULT>(info->hItem);
        return true;
    }
    case TVM_ENSUREVISIBLE:
        EnsureVisible(node);
        message.Result = 1;
        return true;
    case TVM_EDITLABELW:
        BeginEditing(node);
        message.Result = editor_ && editor_->HandleAllocated() ? reinterpret_cast<LRESULT>(editor_->Handle()) : 0;
        return true;
    case TVM_GETITEMRECT: {
        // In: the node in the RECT's first bytes; WParam: text only.
        auto* r = FromLParam<RECT>(message.LParam);
        TTreeNode* target = r ? *reinterpret_cast<TTreeNode**>(r) : nullptr;
        if (!target || RowOf(target) < 0) {
            message.Result = 0;
            return true;
        }
        *r = NodeRect(target, message.WParam != 0);
        message.Result = 1;
        return true;
    }
    default: return false;
    }
}

void TCustomTreeView::DefaultHandler(TMessage& message)
{
    if (HandleTreeMessage(message) || HandleImageListMessage(message) || HandleChangeTimer(message) ||
        input_->Handle(message))
        return;
    if (message.Msg == CN_NOTIFY) {
        const auto* header = FromLParam<const NMHDR>(message.LParam);
        if (!header)
            return;
        if (header->code == TVN_BEGINLABELEDITW || header->code == TVN_ENDLABELEDITW) {
            const auto* info = FromLParam<const NMTVDISPINFO>(message.LParam);
            if (header->code == TVN_BEGINLABELEDITW) {
                bool allow = true;
                if (OnEditing)
                    OnEditing(this, info->item, allow);
                message.Result = !allow;
            } else {
                Edit(info->item, info->pszText);
            }
            return;
        }
        const auto* nm = FromLParam<const NMTREEVIEW>(message.LParam);
        switch (nm->hdr.code) {
        case TVN_SELCHANGINGW: message.Result = !CanChange(nm->itemNew); break;
        case TVN_SELCHANGEDW: SelectionChanged(nm->itemNew); break;
        case TVN_ITEMEXPANDINGW:
            message.Result = !(nm->action == TVE_EXPAND ? CanExpand(nm->itemNew) : CanCollapse(nm->itemNew));
            break;
        case TVN_ITEMEXPANDEDW: {
            const auto& handler = nm->action == TVE_EXPAND ? OnExpanded : OnCollapsed;
            if (handler)
                handler(this, nm->itemNew);
            break;
        }
        case NM_CLICK: Click(); break;
        case NM_DBLCLK: DblClick(); break;
        default: break;
        }
        return;
    }
    if (message.Msg == CM_FONTCHANGED)
        NodesChanged(); // rows of another height and width
    TWinControl::DefaultHandler(message);
}

namespace {

// A handler that may refuse (allow arrives true).
bool Allows(const TTVChangingEvent& handler, TObject* sender, TTreeNode* node)
{
    bool allow = true;
    if (handler)
        handler(sender, node, allow);
    return allow;
}

} // namespace

bool TCustomTreeView::CanChange(TTreeNode* node)
{
    return Allows(OnChanging, this, node);
}

void TCustomTreeView::Change(TTreeNode* node)
{
    if (OnChange)
        OnChange(this, node);
}

bool TCustomTreeView::CanExpand(TTreeNode* node)
{
    return Allows(OnExpanding, this, node);
}

bool TCustomTreeView::CanCollapse(TTreeNode* node)
{
    return Allows(OnCollapsing, this, node);
}

void TCustomTreeView::Delete(TTreeNode* node)
{
    if (OnDeletion)
        OnDeletion(this, node);
}

void TCustomTreeView::GetImageIndex(TTreeNode* node)
{
    if (OnGetImageIndex)
        OnGetImageIndex(this, node);
}

void TCustomTreeView::GetSelectedIndex(TTreeNode* node)
{
    if (OnGetSelectedIndex)
        OnGetSelectedIndex(this, node);
}

} // namespace tovrel
