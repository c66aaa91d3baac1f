#include "platform/ctrls/TreeViewInput.h"

#include "platform/ctrls/TreeView.h"
#include "platform/wm/Input.h"
#include "platform/wm/Keys.h"

#include <algorithm>

namespace tovrel {

bool TTreeViewInput::Handle(TMessage& message)
{
    TCustomTreeView& t = tree_;
    switch (message.Msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: ButtonDown(PointFromLParam(message.LParam), message.Msg == WM_LBUTTONDBLCLK); return true;
    case WM_RBUTTONDOWN:
        if (t.RightClickSelect)
            if (TTreeNode* node = t.GetNodeAt(0, PointFromLParam(message.LParam).Y))
                t.SelectByUser(node);
        return false; // the default handling still asks for the context menu
    case WM_LBUTTONUP:
        if (pressed_) {
            pressed_ = false;
            if (t.ClientRect().Contains(PointFromLParam(message.LParam)))
                t.SendNotify(NM_CLICK);
        }
        return true;
    case WM_KEYDOWN: KeyDown(WORD(message.WParam)); return true;
    case WM_CHAR: {
        // Typing the start of a shown node's text selects it.
        const auto rows = t.Rows();
        const int found = typeAhead_.Type(char16_t(message.WParam), int(rows.size()), t.RowOf(t.selected_),
                                          [&rows](int i) { return rows[std::size_t(i)]->Text(); });
        if (found >= 0)
            t.SelectByUser(rows[std::size_t(found)]);
        return true;
    }
    case WM_GETDLGCODE: message.Result = DLGC_WANTARROWS | DLGC_WANTCHARS; return true;
    case WM_VSCROLL: t.SetTop(ScrollRequest(message.WParam, t.top_, 1, t.VisibleCount(), 0x7FFFFFFF)); return true;
    case WM_HSCROLL:
        t.SetLeft(ScrollRequest(message.WParam, t.left_, t.indent_, t.ClientWidth(), 0x7FFFFFFF));
        return true;
    case WM_MOUSEWHEEL: t.SetTop(t.top_ - 3 * (GET_WHEEL_DELTA_WPARAM(message.WParam) / WHEEL_DELTA)); return true;
    case WM_SETFOCUS:
    case WM_KILLFOCUS: t.Invalidate(); return false;
    default: return false;
    }
}

void TTreeViewInput::ButtonDown(TPoint p, bool doubleClick)
{
    TCustomTreeView& t = tree_;
    if (t.HandleAllocated() && GetFocus() != t.Handle())
        ::tovrel::SetFocus(t.Handle());
    UINT where = 0;
    TTreeNode* node = t.HitTest(p, where);
    if (!node)
        return;
    if (where == TVHT_ONITEMBUTTON) {
        t.ExpandNode(node, !node->Expanded());
        return;
    }
    t.SelectByUser(node);
    if (doubleClick) {
        t.SendNotify(NM_DBLCLK, node);
        if (node->HasChildren())
            t.ExpandNode(node, !node->Expanded());
        return;
    }
    pressed_ = true;
}

void TTreeViewInput::KeyDown(WORD key)
{
    TCustomTreeView& t = tree_;
    const auto& rows = t.Rows();
    if (rows.empty())
        return;
    TTreeNode* node = t.selected_;
    const int row = node ? t.RowOf(node) : -1;
    const int last = int(rows.size()) - 1;
    auto selectRow = [&](int r) { t.SelectByUser(rows[std::size_t(std::clamp(r, 0, last))]); };
    switch (key) {
    case VK_UP: selectRow(row - 1); break;
    case VK_DOWN: selectRow(row + 1); break;
    case VK_PRIOR: selectRow(row - std::max(1, t.VisibleCount() - 1)); break;
    case VK_NEXT: selectRow(row + std::max(1, t.VisibleCount() - 1)); break;
    case VK_HOME: selectRow(0); break;
    case VK_END: selectRow(last); break;
    case VK_LEFT:
        if (node && node->Expanded() && node->HasChildren())
            t.ExpandNode(node, false);
        else if (node && node->Parent() && node->Parent()->Parent())
            t.SelectByUser(node->Parent());
        break;
    case VK_RIGHT:
        if (node && node->HasChildren() && !node->Expanded())
            t.ExpandNode(node, true);
        else if (node && node->GetFirstChild())
            t.SelectByUser(node->GetFirstChild());
        break;
    case VK_ADD:
        if (node)
            t.ExpandNode(node, true);
        break;
    case VK_SUBTRACT:
        if (node)
            t.ExpandNode(node, false);
        break;
    default: break;
    }
}

} // namespace tovrel
