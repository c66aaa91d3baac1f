#pragma once
// The tree view: nodes with text, data, images and children; expanding and
// collapsing (by the button, a double click, keys or code), selection,
// keys and mouse, and scroll states that are kept with the bars hidden:
// vertical in rows (range 0..visible rows-1, page = rows in view), horizontal
// in pixels (range 0..widest row-1, page = client width). TVM_GETCOUNT
// counts all nodes, TVM_GETVISIBLECOUNT the rows that fit.
//
// Notifications reach the tree as CN_NOTIFY: TVN_SELCHANGING and
// TVN_ITEMEXPANDING (a nonzero answer refuses; CanChange, CanExpand and
// CanCollapse decide through OnChanging, OnExpanding and OnCollapsing),
// TVN_SELCHANGED (Change and OnChange, after ChangeDelay ms when that is set),
// TVN_ITEMEXPANDED (OnExpanded, OnCollapsed), NM_CLICK and NM_DBLCLK.
//
// A row, left to right: the indent cell of each level (dotted lines with
// ShowLines, the button in the node's own cell), the state image (StateImages
// at the node's StateIndex), the image (Images), the caption. The window's
// two image lists are set by TVM_SETIMAGELIST (TVSIL_NORMAL, TVSIL_STATE);
// Images and StateImages send it, so a subclass that filters the message
// decides what is drawn.
#include "platform/ctrls/CommonControls.h"
#include "platform/ctrls/Edit.h"
#include "platform/ctrls/ScrollState.h"
#include "platform/vcl/ComponentRef.h"
#include "platform/vcl/ImageList.h"
#include "platform/vcl/ImageListHandles.h"
#include "platform/vcl/WinControl.h"

#include <memory>
#include <string>
#include <vector>

namespace tovrel {

constexpr int TVN_SELCHANGINGW = -450, TVN_SELCHANGEDW = -451, TVN_ITEMEXPANDINGW = -454, TVN_ITEMEXPANDEDW = -455,
              TVN_BEGINLABELEDITW = -459, TVN_ENDLABELEDITW = -460;
constexpr UINT TVM_HITTEST = TVM_FIRST + 17, TVM_EDITLABELW = TVM_FIRST + 65;
constexpr WPARAM TVE_COLLAPSE = 0x1, TVE_EXPAND = 0x2, TVE_TOGGLE = 0x3;
constexpr WPARAM TVGN_FIRSTVISIBLE = 0x5, TVGN_CARET = 0x9;
constexpr WPARAM TVSIL_NORMAL = 0, TVSIL_STATE = 2;
constexpr UINT TVHT_NOWHERE = 0x1, TVHT_ONITEMICON = 0x2, TVHT_ONITEMLABEL = 0x4, TVHT_ONITEMINDENT = 0x8,
               TVHT_ONITEMBUTTON = 0x10, TVHT_ONITEMRIGHT = 0x20, TVHT_ONITEMSTATEICON = 0x40,
               TVHT_ONITEM = TVHT_ONITEMICON | TVHT_ONITEMLABEL | TVHT_ONITEMSTATEICON, TVHT_ABOVE = 0x100,
               TVHT_BELOW = 0x200, TVHT_TORIGHT = 0x400, TVHT_TOLEFT = 0x800;
// The window timer that delays OnChange (ChangeDelay).
constexpr ULONG_PTR TreeChangeTimerId = 1;

class TCustomTreeView;
class TTextMeasure;
class TTreeNode;

// Carries nodes as the platform's item handles.
struct NMTREEVIEW {
    NMHDR hdr;
    UINT action = 0; // TVE_* for expanding
    TTreeNode* itemOld = nullptr;
    TTreeNode* itemNew = nullptr;
};

// TVM_HITTEST: the point in, the TVHT_* flags and the node out.
struct TVHITTESTINFO {
    POINT pt{};
    UINT flags = 0;
    TTreeNode* hItem = nullptr;
};

// Label editing: the node and, at the end, the new text (null: cancelled).
struct NMTVDISPINFO {
    NMHDR hdr;
    TTreeNode* item = nullptr;
    char* pszText = nullptr;
};

// Orders two nodes: < 0 puts the first before the second.
using TTVCompare = std::function<int(TTreeNode* node1, TTreeNode* node2)>;

class TTreeNode {
public:
    TTreeNode(TCustomTreeView& owner, TTreeNode* parent) : owner_(owner), parent_(parent) {}
    const std::string& Text() const { return text_; }
    void SetText(const std::string& text);
    void* Data = nullptr;
    int ImageIndex() const { return imageIndex_; }
    void SetImageIndex(int index);
    int SelectedIndex = -1;
    // The image of StateImages drawn before the image; -1: none.
    int StateIndex() const { return stateIndex_; }
    void SetStateIndex(int index);
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
    // The node after this one in tree order (children first), loaded or not shown.
    TTreeNode* GetNext() const;
    // Orders the children (and with recurse every level below); equal nodes
    // keep their order. False without a compare function.
    bool CustomSort(const TTVCompare& compare, bool recurse);
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
    int stateIndex_ = -1;
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
    // Between them (nested) the tree neither repaints nor updates its scroll
    // state; the last EndUpdate does both once.
    void BeginUpdate();
    void EndUpdate();

private:
    TTreeNode* InsertAt(TTreeNode* parent, int index, const std::string& text);
    // Children before their parent.
    void TellDeletion(TTreeNode* node);
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
    // Scrolls the node to the top row as far as the rows allow, expanding its parents.
    void SetTopItem(TTreeNode* node);
    int Indent() const { return indent_; }
    void SetIndent(int value);
    bool ShowButtons = true;
    // Buttons, lines and the indent cell for the top level too.
    bool ShowRoot = true;
    // Dotted lines from each node to its siblings and its parent.
    bool ShowLines = true;
    bool HideSelection = true;
    // Milliseconds between a selection and its OnChange; a newer selection
    // meanwhile restarts the wait and only the last one is reported. 0: at once.
    int ChangeDelay = 0;
    TCustomImageList* Images() const { return images_; }
    void SetImages(TCustomImageList* images);
    TCustomImageList* StateImages() const { return stateImages_; }
    void SetStateImages(TCustomImageList* images);
    int RowHeight();
    // Rows that fit in the client area.
    int VisibleCount();
    TTreeNode* GetNodeAt(int x, int y);
    // The node at a client point and where on it the point lies (TVHT_* flags).
    TTreeNode* HitTest(TPoint p, UINT& flags);
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
    // Held back while the nodes are updated.
    void Invalidate() override;

    // Nodes report here.
    void NodesChanged();
    void NodeDeleting(TTreeNode* node);
    // Expands or collapses with TVN_ITEMEXPANDING / TVN_ITEMEXPANDED; false when refused.
    bool ExpandNode(TTreeNode* node, bool expand);

protected:
    void CreateParams(TCreateParams& params) override;
    void PaintWindow(HDC dc) override;
    void BoundsChanged() override;
    void DestroyWnd() override;
    // The end of renaming (text null when cancelled): OnEdited, then the node's text.
    virtual void Edit(TTreeNode* node, const char* text);
    // Asked before the selection moves to a node (null: to none): OnChanging.
    virtual bool CanChange(TTreeNode* node);
    // The selection moved: OnChange.
    virtual void Change(TTreeNode* node);
    // Asked before a node expands or collapses: OnExpanding, OnCollapsing.
    virtual bool CanExpand(TTreeNode* node);
    virtual bool CanCollapse(TTreeNode* node);
    // A node goes (its children were told first): OnDeletion.
    virtual void Delete(TTreeNode* node);
    // Before a node is drawn: OnGetImageIndex, and for the selected node OnGetSelectedIndex.
    virtual void GetImageIndex(TTreeNode* node);
    virtual void GetSelectedIndex(TTreeNode* node);

private:
    friend class TTreeViewInput;
    friend class TTreeNodes;
    // Where a node's parts begin along its row, in client x.
    struct TNodeLayout {
        int indent;     // the node's own indent cell (the button's)
        int button;     // the middle of that cell: the button and the lines
        int stateImage; // the state image
        int image;      // the image
        int label;      // the caption's rectangle
        int labelRight;
    };
    TNodeLayout NodeLayout(const TTreeNode* node);
    // With a measure made once for many rows.
    TNodeLayout NodeLayout(const TTreeNode* node, const TTextMeasure& measure);
    bool HasButton(const TTreeNode* node) const;
    bool HasStateImage(const TTreeNode* node) const;
    bool LinesAt(int level) const { return ShowLines && (ShowRoot || level > 0); }
    // The middle of the indent cell of a level's nodes.
    int CellMiddle(int level) const { return (level + (ShowRoot ? 1 : 0)) * indent_ - indent_ / 2 - left_; }
    void PaintLines(HDC dc, const TTreeNode* node, int y);
    void PaintButton(HDC dc, const TTreeNode* node, int cx, int cy);
    bool HandleImageListMessage(TMessage& message);
    // A property's list was freed: the window is told as if the property had
    // been cleared.
    void PropertyImagesGone(WPARAM which);
    // TVN_SELCHANGED: Change now, or when the ChangeDelay timer fires.
    void SelectionChanged(TTreeNode* node);
    bool HandleChangeTimer(TMessage& message);
    void BeginUpdate();
    void EndUpdate();
    void BeginEditing(TTreeNode* node);
    const std::vector<TTreeNode*>& Rows();
    int RowOf(const TTreeNode* node);
    // Selects with TVN_SELCHANGING / TVN_SELCHANGED; false when refused.
    bool SelectByUser(TTreeNode* node);
    // Clicks name the node clicked (NM_DBLCLK) or none (NM_CLICK).
    LRESULT SendNotify(int code, TTreeNode* node = nullptr);
    LRESULT SendSelectionNotify(int code, TTreeNode* oldNode, TTreeNode* newNode);
    LRESULT SendExpandNotify(int code, TTreeNode* node, UINT action);
    bool HandleTreeMessage(TMessage& message);
    void UpdateScrollState();
    void SetTop(int row);
    // Sets top_ or left_ as far as the rows allow, repainting when it moved.
    void ScrollTo(int& offset, int value);
    // Scrolled sideways by this many pixels.
    void SetLeft(int x);
    // The widest row, unscrolled.
    int ContentWidth();
    void EnsureVisible(TTreeNode* node);
    void PaintNode(HDC dc, TTreeNode* node, int row);

    std::unique_ptr<TTreeNodes> items_;
    std::unique_ptr<class TTreeViewInput> input_;
    TTreeNode* selected_ = nullptr;
    TCustomEdit* editor_ = nullptr;
    TTreeNode* editing_ = nullptr;
    TComponentRef<TCustomImageList> images_{*this, [this] { PropertyImagesGone(TVSIL_NORMAL); }};
    TComponentRef<TCustomImageList> stateImages_{*this, [this] { PropertyImagesGone(TVSIL_STATE); }};
    // The lists the window draws with (TVM_SETIMAGELIST).
    TComponentRef<TCustomImageList> windowImages_{*this, [this] { NodesChanged(); }};
    TComponentRef<TCustomImageList> windowStateImages_{*this, [this] { NodesChanged(); }};
    TTreeNode* pendingChange_ = nullptr;
    bool changeTimerRunning_ = false;
    int updateCount_ = 0;
    int indent_ = 19;
    int top_ = 0;
    int left_ = 0;
    // Of the rows as last listed; -1: to be measured.
    int contentWidth_ = -1;
    std::vector<TTreeNode*> rows_;
    bool rowsValid_ = false;
    TScrollState vertical_, horizontal_;
};

class TTreeView : public TCustomTreeView {
public:
    explicit TTreeView(TComponent* owner) : TCustomTreeView(owner) {}
};

} // namespace tovrel
