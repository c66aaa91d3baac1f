#pragma once
// The tree view: nodes with text, data, images and children; expanding and
// collapsing (by the button, a double click, keys or code), selection,
// keys and mouse, and a vertical scroll state in rows that is kept with the
// bars hidden (range 0..visible rows-1, page = rows in view). TVM_GETCOUNT
// counts all nodes, TVM_GETVISIBLECOUNT the rows that fit.
//
// Notifications reach the tree as CN_NOTIFY: TVN_SELCHANGING and
// TVN_ITEMEXPANDING (a nonzero answer refuses; OnChanging, OnExpanding and
// OnCollapsing decide), TVN_SELCHANGED (OnChange), TVN_ITEMEXPANDED
// (OnExpanded, OnCollapsed), NM_CLICK and NM_DBLCLK.
#include "platform/ctrls/CommonControls.h"
#include "platform/ctrls/Edit.h"
#include "platform/ctrls/ScrollState.h"
#include "platform/vcl/ImageList.h"
#include "platform/vcl/WinControl.h"

#include <memory>
#include <string>
#include <vector>

namespace tovrel {

constexpr int TVN_SELCHANGINGW = -450, TVN_SELCHANGEDW = -451, TVN_ITEMEXPANDINGW = -454,
              TVN_ITEMEXPANDEDW = -455, TVN_BEGINLABELEDITW = -459, TVN_ENDLABELEDITW = -460;
constexpr UINT TVM_EDITLABELW = TVM_FIRST + 65;
constexpr WPARAM TVE_COLLAPSE = 0x1, TVE_EXPAND = 0x2, TVE_TOGGLE = 0x3;
constexpr WPARAM TVGN_CARET = 0x9;

class TCustomTreeView;
class TTreeNode;

// Carries nodes as the platform's item handles.
struct NMTREEVIEW {
    NMHDR hdr;
    UINT action = 0; // TVE_* for expanding
    TTreeNode* itemOld = nullptr;
    TTreeNode* itemNew = nullptr;
};

// Label editing: the node and, at the end, the new text (null: cancelled).
struct NMTVDISPINFO {
    NMHDR hdr;
    TTreeNode* item = nullptr;
    char* pszText = nullptr;
};

class TTreeNode {
public:
    TTreeNode(TCustomTreeView& owner, TTreeNode* parent) : owner_(owner), parent_(parent) {}
    const std::string& Text() const { return text_; }
    void SetText(const std::string& text);
    void* Data = nullptr;
    int ImageIndex() const { return imageIndex_; }
    void SetImageIndex(int index);
    int SelectedIndex = -1;
    TTreeNode* Parent() const { return parent_; }
    int Count() const { return int(children_.size()); }
    TTreeNode* Item(int index) const;
    int Index() const;
    int Level() const;
    bool HasChildren() const { return hasChildren_ || !children_.empty(); }
    void SetHasChildren(bool value);
    bool Expanded() const { return expanded_; }
    void SetExpanded(bool value);
    void Expand(bool recurse);
    void Collapse(bool recurse);
    bool Selected() const;
    void SetSelected(bool value);
    // Every parent expanded.
    bool IsVisible() const;
    TTreeNode* GetFirstChild() const { return children_.empty() ? nullptr : children_.front().get(); }
    TTreeNode* GetNextSibling() const;
    TTreeNode* GetPrevSibling() const;
    void Delete();
    TCustomTreeView& TreeView() const { return owner_; }
    // Starts editing the text in place (TVM_EDITLABELW).
    void EditText();

private:
    friend class TTreeNodes;
    friend class TCustomTreeView;
    TCustomTreeView& owner_;
    TTreeNode* parent_;
    std::vector<std::unique_ptr<TTreeNode>> children_;
    std::string text_;
    int imageIndex_ = -1;
    bool hasChildren_ = false;
    bool expanded_ = false;
};

class TTreeNodes {
public:
    explicit TTreeNodes(TCustomTreeView& owner);
    ~TTreeNodes();
    // All nodes.
    int Count() const;
    // The node at a position of the whole tree in pre-order.
    TTreeNode* Item(int index) const;
    TTreeNode* GetFirstNode() const { return root_->GetFirstChild(); }
    // A node after the last sibling of `sibling` (null: at the top level).
    TTreeNode* Add(TTreeNode* sibling, const std::string& text);
    TTreeNode* AddFirst(TTreeNode* sibling, const std::string& text);
    TTreeNode* AddChild(TTreeNode* parent, const std::string& text);
    TTreeNode* AddChildFirst(TTreeNode* parent, const std::string& text);
    // Before `sibling`.
    TTreeNode* Insert(TTreeNode* sibling, const std::string& text);
    void Delete(TTreeNode* node);
    void Clear();
    TTreeNode& Root() const { return *root_; }

private:
    TTreeNode* InsertAt(TTreeNode* parent, int index, const std::string& text);
    TCustomTreeView& owner_;
    std::unique_ptr<TTreeNode> root_;
};

using TTVChangedEvent = std::function<void(TObject* sender, TTreeNode* node)>;
using TTVChangingEvent = std::function<void(TObject* sender, TTreeNode* node, bool& allowChange)>;
using TTVExpandingEvent = std::function<void(TObject* sender, TTreeNode* node, bool& allowExpansion)>;
using TTVEditingEvent = std::function<void(TObject* sender, TTreeNode* node, bool& allowEdit)>;
using TTVEditedEvent = std::function<void(TObject* sender, TTreeNode* node, std::string& text)>;

class TCustomTreeView : public TWinControl, public IScrollStateOwner {
public:
    explicit TCustomTreeView(TComponent* owner);
    ~TCustomTreeView() override;

    TTreeNodes* Items() { return items_.get(); }
    TTreeNode* Selected() const { return selected_; }
    void SetSelected(TTreeNode* node);
    TTreeNode* TopItem();
    int Indent() const { return indent_; }
    void SetIndent(int value);
    bool ShowButtons = true;
    bool ShowRoot = true;
    bool HideSelection = true;
    TCustomImageList* Images() const { return images_; }
    void SetImages(TCustomImageList* images);
    int RowHeight();
    // Rows that fit in the client area.
    int VisibleCount();
    TTreeNode* GetNodeAt(int x, int y);
    // The row of a node (text only: just its caption), in client coordinates.
    TRect NodeRect(const TTreeNode* node, bool textOnly);
    void FullExpand();
    void FullCollapse();

    TTVChangedEvent OnChange;
    TTVChangingEvent OnChanging;
    TTVExpandingEvent OnExpanding;
    TTVExpandingEvent OnCollapsing;
    TTVChangedEvent OnExpanded;
    TTVChangedEvent OnCollapsed;
    // Asked before a node is drawn; they may set its image indexes.
    TTVChangedEvent OnGetImageIndex;
    TTVChangedEvent OnGetSelectedIndex;
    // Told for each node that goes, children before their parent.
    TTVChangedEvent OnDeletion;
    // A right-button press selects the node under it.
    bool RightClickSelect = false;
    TTVEditingEvent OnEditing;
    TTVEditedEvent OnEdited;
    bool ReadOnly = false;
    // The in-place text editor while a node is renamed, else null.
    TCustomEdit* EditControl() const { return editor_; }
    // Ends renaming: Enter and losing the focus keep the text, Escape drops it.
    void EndEditing(bool keep);

    TScrollState* ScrollStateOf(int bar) override;
    void ScrollStateChanged(int bar) override;
    void DefaultHandler(TMessage& message) override;

    // Nodes report here.
    void NodesChanged();
    void NodeDeleting(TTreeNode* node);
    // Expands or collapses with TVN_ITEMEXPANDING / TVN_ITEMEXPANDED; false when refused.
    bool ExpandNode(TTreeNode* node, bool expand);

protected:
    void CreateParams(TCreateParams& params) override;
    void PaintWindow(HDC dc) override;
    void BoundsChanged() override;
    void Notification(TComponent* component, TOperation operation) override;
    // The end of renaming (text null when cancelled): OnEdited, then the node's text.
    virtual void Edit(TTreeNode* node, const char* text);

private:
    friend class TTreeViewInput;
    void BeginEditing(TTreeNode* node);
    const std::vector<TTreeNode*>& Rows();
    int RowOf(const TTreeNode* node);
    // Selects with TVN_SELCHANGING / TVN_SELCHANGED; false when refused.
    bool SelectByUser(TTreeNode* node);
    LRESULT SendNotify(int code, TTreeNode* oldNode, TTreeNode* newNode, UINT action = 0);
    bool HandleTreeMessage(TMessage& message);
    void UpdateScrollState();
    void SetTop(int row);
    void EnsureVisible(TTreeNode* node);
    // The x where a node's button, image and text begin.
    int NodeLeft(const TTreeNode* node) const;
    void PaintNode(HDC dc, TTreeNode* node, int row);

    std::unique_ptr<TTreeNodes> items_;
    std::unique_ptr<class TTreeViewInput> input_;
    TTreeNode* selected_ = nullptr;
    TCustomEdit* editor_ = nullptr;
    TTreeNode* editing_ = nullptr;
    TCustomImageList* images_ = nullptr;
    int indent_ = 19;
    int top_ = 0;
    std::vector<TTreeNode*> rows_;
    bool rowsValid_ = false;
    TScrollState vertical_, horizontal_;
};

class TTreeView : public TCustomTreeView {
public:
    explicit TTreeView(TComponent* owner) : TCustomTreeView(owner) {}
};

} // namespace tovrel
